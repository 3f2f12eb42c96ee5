#include "AliasCommands.h"

#include "ProtocolSeparators.h"
#include "TextUtilities.h"
#include "runtime/Conversions.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
const std::string CrLf = "\r\n";
}  // namespace

std::string EncodeAliasCommands(const std::string& lines) {
    return Replace(Replace(lines, "&", "\\&"), CrLf, "&");
}

std::string DecodeAliasCommands(const std::string& stored) {
    std::string lines;
    lines.reserve(stored.size());
    for (size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\\' && i + 1 < stored.size() && stored[i + 1] == '&') {
            lines += '&';
            ++i;
        } else if (stored[i] == '&') {
            lines += CrLf;
        } else {
            lines += stored[i];
        }
    }
    return lines;
}

std::string CleanLines(const std::string& lines) {
    std::string cleaned;
    const std::vector<std::string> parts = SplitB2(lines, CrLf);
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) cleaned += CrLf;
        cleaned += CleanString(parts[i]);
    }
    return cleaned;
}

std::string StoredAliasName(const std::string& name) { return Replace(name, " ", "_"); }

std::string AliasListRequest() { return "0"; }

std::string AliasSaveRequest(const std::string& name, const std::string& commands) {
    return "1" + FieldSeparator + name + FieldSeparator + commands;
}

std::string AliasRemoveRequest(const std::string& name) { return "2" + FieldSeparator + name; }

AliasListRead ReadAliasList(const std::string& data) {
    AliasListRead read;
    if (data.empty()) return read;
    const std::vector<std::string> pieces = SplitB2(data, ";");
    if (CInt(pieces[0]) != 0) return read;
    read.IsList = true;
    if (pieces.size() < 2) Raise(errSubscriptOutOfRange);
    for (const std::string& record : SplitB2(pieces[1], ",")) {
        if (record.empty()) continue;
        const size_t colon = record.find(':');
        if (colon == std::string::npos) {
            read.Records.push_back(AliasRecord{record, {}, false});
            read.Malformed = true;
            break;
        }
        const size_t end = record.find(':', colon + 1);
        read.Records.push_back(AliasRecord{record.substr(0, colon), record.substr(colon + 1, end == std::string::npos ? std::string::npos : end - colon - 1), true});
    }
    return read;
}

}  // namespace skx
