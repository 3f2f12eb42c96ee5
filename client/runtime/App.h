// Facts about the running program: its folder, file name, title and version.
#pragma once
#include <string>

namespace skx::App {

std::string Path();     // the program folder, without a trailing "\"
std::string EXEName();  // the program file name without its extension
std::string Title();    // the product name
int Major();
int Minor();
int Revision();
std::string Comments();  // the version comment of the build

}  // namespace skx::App
