#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

// The words of the core's messages. tvrtool leaves the translator unset, so it prints the
// English source texts byte for byte under every locale; the window installs one that looks
// the text up in its catalogues.
//
// Source texts follow Qt's conventions so lupdate collects them (it treats Translate like
// QCoreApplication::translate): %1..%9 are arguments, and with a count n >= 0, %n is the count
// and "(s)" marks an English plural ("%n block(s)").
using CoreTranslator = std::function<std::string(const char* context, const char* source,
                                                 const char* disambiguation, int n)>;

// Installs the translator the core's texts go through; an empty one restores English.
void SetCoreTranslator(CoreTranslator translator);

// The text for `source` in the installed language, with %n filled in when n >= 0.
std::string Translate(const char* context, const char* source, const char* disambiguation = nullptr,
                      int n = -1);

// The English wording of a source text: "(s)" dropped for a count of one, "s" otherwise, and
// %n replaced by the count. The one rule English plurals follow, in tvrtool and in the window.
std::string EnglishPlural(std::string_view source, int n);

// Fills %1, %2, ... with the arguments in order.
std::string FillArgs(std::string_view pattern, std::initializer_list<std::string_view> args);
