#include "core/Translate.h"

#include <utility>

namespace {

CoreTranslator& Installed() {
    static CoreTranslator translator;
    return translator;
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

}  // namespace

void SetCoreTranslator(CoreTranslator translator) {
    Installed() = std::move(translator);
}

std::string Translate(const char* context, const char* source, const char* disambiguation, int n) {
    if (const CoreTranslator& translator = Installed()) {
        return translator(context, source, disambiguation, n);
    }
    return n >= 0 ? EnglishPlural(source, n) : std::string(source);
}

std::string EnglishPlural(std::string_view source, int n) {
    std::string text(source);
    ReplaceAll(text, "(s)", n == 1 ? "" : "s");
    ReplaceAll(text, "%n", std::to_string(n));
    return text;
}

std::string FillArgs(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const std::size_t index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < args.size()) {
                out += *(args.begin() + index);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}
