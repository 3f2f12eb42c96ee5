// What the registration wizard checks before it sends anything: the form of an e-mail address
// and of a registration code. Pure text work: no window.
#pragma once
#include <functional>
#include <optional>
#include <string>

namespace skx {

// Whether an address has the form of an e-mail address, step by step, the first failing step
// deciding: one "@"; only letters, digits, "@", ".", "-" and "_"; a local part of two or more
// characters without empty dot pieces; a domain with a dot whose pieces all have two or more
// characters. Before the character check, warn runs once for "hotmail" and once for "yahoo"
// in the address (letter case ignored); the warnings never fail it.
bool ValidateEmail(const std::string& address, const std::function<void()>& warn);

// The code to send for a code as typed: seven characters as they are, or the seven between an
// apostrophe at each end of nine; nothing for any other text (or one that is empty once its
// control characters are taken out).
std::optional<std::string> RegistrationCode(const std::string& typed);

}  // namespace skx
