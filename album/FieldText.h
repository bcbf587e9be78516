#pragma once
// A list of text fields, any of which may be absent, kept as one text: "-"
// for an absent field, else its length, ":" and its characters. Plain C++:
// the text comes back from the registry as anything may have left it.

#include <optional>
#include <string>
#include <vector>

using TextField = std::optional<std::wstring>;

std::wstring JoinFields(const std::vector<TextField>& fields);
// False for text JoinFields did not make; `fields` is then unspecified.
bool SplitFields(const std::wstring& text, std::vector<TextField>& fields);
