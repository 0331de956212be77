#include "editor/output/oxs_xml.h"

#include "editor/output/oxs_file.h"

namespace brenmark {

namespace oxs {

std::string hexColour(ColorRef c)
{
    return format("%02X%02X%02X", redOf(c), greenOf(c), blueOf(c));
}

std::string coordinate(double v)
{
    return oxsDecimal(v, 2);
}

}  // namespace oxs

std::string oxsAttributeText(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (const char ch : utf8) {
        switch (ch) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += static_cast<unsigned char>(ch) < 0x20 ? ' ' : ch;
        }
    }
    return out;
}

std::string oxsDecimal(double v, int places)
{
    std::string s = oxs::format("%.*f", places, v);
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s;
}

}  // namespace brenmark
