#include "TestHookRequest.h"

#include <algorithm>
#include <sstream>

namespace skx {

namespace {
std::string TrimBlanks(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

HookRequest Invalid(const std::string& why) {
    HookRequest r;
    r.error = why;
    return r;
}
}  // namespace

HookRequest ParseHookRequest(const std::string& line) {
    const std::string text = TrimBlanks(line);
    const size_t blank = text.find(' ');
    const std::string head = text.substr(0, blank);
    const std::string rest = blank == std::string::npos ? std::string() : TrimBlanks(text.substr(blank + 1));
    HookRequest r;
    if (head == "use" || head == "receiving") {
        r.kind = head == "use" ? HookRequest::Kind::Use : HookRequest::Kind::Receiving;
        return r;
    }
    if (head == "dump" || head == "menu") {
        if (rest.empty()) return Invalid(head + " needs a name");
        r.kind = head == "dump" ? HookRequest::Kind::Dump : HookRequest::Kind::Menu;
        if (r.kind == HookRequest::Kind::Dump) r.form = rest;
        else r.args.push_back(rest);
        return r;
    }
    const size_t dot = head.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == head.size()) return Invalid("unknown request: " + head);
    r.form = head.substr(0, dot);
    r.control = head.substr(dot + 1);
    const size_t verbEnd = rest.find(' ');
    const std::string verb = rest.substr(0, verbEnd);
    const std::string after = verbEnd == std::string::npos ? std::string() : rest.substr(verbEnd + 1);
    if (verb == "set") {
        r.kind = HookRequest::Kind::Set;
        r.args.push_back(after);  // the text as given, blanks included
        return r;
    }
    std::istringstream words(after);
    for (std::string w; words >> w;) r.args.push_back(w);
    if (verb == "click") r.kind = HookRequest::Kind::Click;
    else if (verb == "rclick") r.kind = HookRequest::Kind::RightClick;
    else if (verb == "key") r.kind = HookRequest::Kind::Key;
    else if (verb == "select") r.kind = HookRequest::Kind::Select;
    else return Invalid("unknown action: " + verb);
    if (r.kind == HookRequest::Kind::Key && r.args.empty()) return Invalid("key needs a key");
    const bool shift = std::find(r.args.begin(), r.args.end(), "shift") != r.args.end();
    if ((r.kind == HookRequest::Kind::Click || r.kind == HookRequest::Kind::RightClick) && r.args.size() > (shift ? 2u : 1u)) {
        return Invalid("one item at most");
    }
    return r;
}

}  // namespace skx
