#include "App.h"

#include <windows.h>

namespace skx::App {

namespace {
std::string ModuleFile() {
    char buf[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    return std::string(buf, n);
}
}  // namespace

std::string Path() {
    std::string f = ModuleFile();
    auto slash = f.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : f.substr(0, slash);
}

std::string EXEName() {
    std::string f = ModuleFile();
    auto slash = f.find_last_of("\\/");
    std::string name = slash == std::string::npos ? f : f.substr(slash + 1);
    auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string Title() { return "Skirmex"; }
int Major() { return 2; }
int Minor() { return 0; }
int Revision() { return 3; }
std::string Comments() { return "d (Beta)"; }

}  // namespace skx::App
