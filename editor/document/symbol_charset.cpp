#include "editor/document/symbol_charset.h"

#include "interchange/code_page.h"

#include <string_view>

namespace brenmark {
namespace {

constexpr std::string_view kDoubleByteSymbols =  // untranslated: symbols, not words
    "■□▲△▼▽◆◇○●◢◣◤◥★☆【】〖〗︻︼¤※⊿∴∵∷①②③④⑤⑥⑦⑧⑨⑩←↑→↓↖↗↘↙∈∝∧∨∮∽≈≌≒≠≡≤≥≦≧≮≯￠￡￥§ΣΦΨΩαβδθψ℉ⅠⅡⅢⅣⅤⅥⅦⅧ"
    "⑴⑵⑶⑷⑸⑹⑺⑻⑼⑽⑾⑿⒀⒁⒂⒃⒄⒅⒆⒇︽﹀﹌ИЙКЛЯЮⅱⅲⅳⅴⅵⅶⅷⅸⅹ⒈⒉⒊⒋⒌⒍⒎⒏⒐⒑⒒⒓⒔⒕⒖⒗⒘⒙⒚⒛╬〥〤〨〩〣〢あぃ㈠㈡㈢㈣㈤㈥㈦㈧㈨㈩";

std::vector<std::string> buildSet()
{
    std::vector<std::string> set;
    set.reserve(235);
    for (char c = 49; c <= 126; ++c) {
        if (c == '9' || c == ';' || c == '^' || c == 'i' || c == 'o')
            continue;
        set.emplace_back(1, c);
    }
    for (std::size_t pos = 0; pos < kDoubleByteSymbols.size();) {
        const std::size_t len = gbkCharLength(kDoubleByteSymbols, pos);
        set.emplace_back(kDoubleByteSymbols.substr(pos, len));
        pos += len;
    }
    return set;
}

}  // namespace

const std::vector<std::string>& symbolCharacterSet()
{
    static const std::vector<std::string> set = buildSet();
    return set;
}

std::string overflowSymbol(const ThreadTable& threads, const SymbolTable& symbols, std::size_t i)
{
    for (std::size_t j = 0; j < i; ++j)
        if (threads.colors[j] == threads.colors[i] && !symbols[j].symbol.empty())
            return symbols[j].symbol;
    const std::size_t k = i - symbolCharacterSet().size();
    return std::string{static_cast<char>('Z' - k / 10), static_cast<char>('0' + k % 10)};
}

}  // namespace brenmark
