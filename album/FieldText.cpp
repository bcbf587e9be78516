#include "album/FieldText.h"

std::wstring JoinFields(const std::vector<TextField>& fields)
{
    std::wstring text;
    for (const TextField& field : fields) {
        if (!field) {
            text += L'-';
            continue;
        }
        text += std::to_wstring(field->size());
        text += L':';
        text += *field;
    }
    return text;
}

bool SplitFields(const std::wstring& text, std::vector<TextField>& fields)
{
    fields.clear();
    size_t at = 0;
    while (at < text.size()) {
        if (text[at] == L'-') {
            fields.emplace_back();
            ++at;
            continue;
        }
        size_t length = 0;
        const size_t digits = at;
        for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
            // Never more than what is left: no length can overflow.
            length = length * 10 + static_cast<size_t>(text[at] - L'0');
            if (length > text.size()) return false;
        }
        // One way to write each length: no leading zeros.
        if (at == digits || (text[digits] == L'0' && at - digits > 1)) return false;
        if (at >= text.size() || text[at] != L':') return false;
        ++at;
        if (length > text.size() - at) return false;
        fields.emplace_back(text.substr(at, length));
        at += length;
    }
    return true;
}
