#include "editor/document/symbol_charset.h"

#include "interchange/code_page.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <string_view>

namespace brenmark {
namespace {

struct ClearSymbolGlyph {
    const char* gbk;
    char32_t codePoint;
    const char* name;
};

#include "clear_symbol_set.inc"

std::atomic<bool> clearForNew{false};

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

const std::vector<std::string>& clearSymbolSet()
{
    static const std::vector<std::string> set = [] {
        std::vector<std::string> out;
        for (const ClearSymbolGlyph& g : kClearSymbolGlyphs)
            out.emplace_back(g.gbk);
        return out;
    }();
    return set;
}

const std::vector<char32_t>& clearSymbolCodePoints()
{
    static const std::vector<char32_t> codes = [] {
        std::vector<char32_t> out;
        for (const ClearSymbolGlyph& g : kClearSymbolGlyphs)
            out.push_back(g.codePoint);
        return out;
    }();
    return codes;
}

const std::vector<std::string>& clearSymbolNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const ClearSymbolGlyph& g : kClearSymbolGlyphs)
            out.emplace_back(g.name);
        return out;
    }();
    return names;
}

const std::vector<std::pair<int, int>>& clearSymbolLookAlikePairs()
{
    static const std::vector<std::pair<int, int>> pairs = [] {
        std::vector<std::pair<int, int>> out;
        for (const auto& [a, b] : kClearSymbolLookAlikes)
            if (a != 0xFFFF)
                out.emplace_back(a, b);
        return out;
    }();
    return pairs;
}

std::size_t clearSymbolsApartOnScreen()
{
    return kClearSymbolsApartOnScreen;
}

bool symbolsLookAlike(const std::string& a, const std::string& b)
{
    if (a == b)
        return false;
    const auto& set = clearSymbolSet();
    const auto ia = std::find(set.begin(), set.end(), a), ib = std::find(set.begin(), set.end(), b);
    if (ia == set.end() || ib == set.end())
        return false;
    std::pair<int, int> key(static_cast<int>(ia - set.begin()), static_cast<int>(ib - set.begin()));
    if (key.first > key.second)
        std::swap(key.first, key.second);
    const auto& pairs = clearSymbolLookAlikePairs();
    return std::binary_search(pairs.begin(), pairs.end(), key);
}

const std::vector<std::string>& symbolSetFor(bool clearSymbols)
{
    return clearSymbols ? clearSymbolSet() : symbolCharacterSet();
}

std::vector<std::pair<int, int>> lookAlikeThreads(const SymbolTable& symbols, std::size_t threadCount)
{
    std::vector<std::pair<int, int>> out;
    const std::size_t n = std::min(threadCount, symbols.size());
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            if (symbolsLookAlike(symbols[i].symbol, symbols[j].symbol))
                out.emplace_back(static_cast<int>(i), static_cast<int>(j));
    return out;
}

void setClearSymbolsForNewPatterns(bool on)
{
    clearForNew = on;
}

bool clearSymbolsForNewPatterns()
{
    return clearForNew;
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
