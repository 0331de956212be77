#include "plugins/host/color_tool_window.h"

#include "editor/document/palette_file.h"
#include "editor/document/program_directory.h"
#include "editor/document/symbol_charset.h"
#include "interchange/gbk_qstring.h"
#include "plugins/host/hollick.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <numeric>

namespace brenmark {

namespace {

QColor qcolour(ColorRef c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

std::int64_t distance(ColorRef a, ColorRef b)
{
    std::int64_t sum = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::int64_t d = static_cast<std::int64_t>((a >> shift) & 0xFF) - static_cast<std::int64_t>((b >> shift) & 0xFF);
        sum += d * d;
    }
    return sum;
}

}  // namespace

std::vector<int> colourChainOrder(const std::vector<ColorRef>& colours)
{
    std::vector<int> order(colours.size());
    std::iota(order.begin(), order.end(), 0);
    const auto value = [&](std::size_t pos) { return colours[static_cast<std::size_t>(order[pos])]; };
    for (std::size_t i = 1; i < order.size(); ++i)
        if (value(i) < value(0))
            std::swap(order[0], order[i]);
    for (std::size_t i = 1; i < order.size(); ++i) {
        std::size_t best = i;
        std::int64_t bestDistance = distance(value(i - 1), value(i));
        for (std::size_t j = i + 1; j < order.size(); ++j) {
            const std::int64_t d = distance(value(i - 1), value(j));
            if (d < bestDistance) {
                bestDistance = d;
                best = j;
            }
        }
        std::swap(order[i], order[best]);
    }
    return order;
}

ColorToolWindow::ColorToolWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"AfxKvXiuColor"_qs);
    scroll_ = new QScrollBar(Qt::Vertical, this);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
        firstRow_ = v;
        update();
    });
    menu_ = new QMenu(this);
    menu_->addAction(uiQString("原始顺序"), this, [this] { setOrder(ListOrder); });
    menu_->addAction(uiQString("按颜色排序"), this, [this] { setOrder(ByColour); });
    ReSetFuHao();
}

ColorToolWindow::~ColorToolWindow() = default;

bool ColorToolWindow::CreateColorTool(QWidget* parent, int width, int height)
{
    setParent(parent);
    ReSizeColorTool(width, height);
    show();
    return true;
}

void ColorToolWindow::ReSizeColorTool(int width, int height)
{
    resize(width, height);
    int range = 0;
    GetHRang(range);
    scroll_->setRange(0, range);
    scroll_->setPageStep(std::max(1, height));
}

int ColorToolWindow::find(ColorRef colour) const
{
    const auto it = std::find(colours_.begin(), colours_.end(), colour);
    return it == colours_.end() ? -1 : static_cast<int>(it - colours_.begin());
}

void ColorToolWindow::removeAt(std::size_t i)
{
    colours_.erase(colours_.begin() + static_cast<std::ptrdiff_t>(i));
    names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(i));
    flags_.erase(flags_.begin() + static_cast<std::ptrdiff_t>(i));
    if (i < symbols_.size())
        symbols_.erase(symbols_.begin() + static_cast<std::ptrdiff_t>(i));
    selected_ = -1;
}

bool ColorToolWindow::AddColor(ColorRef colour, const std::string& number, bool flag)
{
    if (find(colour) >= 0 || std::find(names_.begin(), names_.end(), number) != names_.end())
        return false;
    colours_.push_back(colour);
    names_.push_back(number);
    flags_.push_back(flag ? 1u : 0u);
    return true;
}

bool ColorToolWindow::DeleteColor(ColorRef colour)
{
    const int i = find(colour);
    if (i < 0)
        return false;
    removeAt(static_cast<std::size_t>(i));
    return true;
}

bool ColorToolWindow::DeleteColorAt(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= colours_.size())
        return false;
    removeAt(static_cast<std::size_t>(index));
    return true;
}

bool ColorToolWindow::ReplaceColorAt(int index, ColorRef colour, bool flag)
{
    if (index < 0 || static_cast<std::size_t>(index) >= colours_.size())
        return false;
    const int other = find(colour);
    if (other >= 0 && other != index) {
        removeAt(static_cast<std::size_t>(other));
        return true;
    }
    colours_[static_cast<std::size_t>(index)] = colour;
    flags_[static_cast<std::size_t>(index)] = flag ? 1u : 0u;
    return true;
}

bool ColorToolWindow::ReplaceColor(ColorRef oldColour, ColorRef newColour, bool flag)
{
    const int i = find(oldColour);
    if (i < 0)
        return false;
    if (find(newColour) >= 0) {
        removeAt(static_cast<std::size_t>(i));
        return true;
    }
    colours_[static_cast<std::size_t>(i)] = newColour;
    flags_[static_cast<std::size_t>(i)] = flag ? 1u : 0u;
    return true;
}

bool ColorToolWindow::ReplaceColor(const std::string& number, ColorRef newColour)
{
    const auto it = std::find(names_.begin(), names_.end(), number);
    if (it == names_.end())
        return false;
    colours_[static_cast<std::size_t>(it - names_.begin())] = newColour;
    return true;
}

void ColorToolWindow::NoPaiXu(std::vector<ColorRef>& colours, std::vector<std::uint32_t>& flags,
                              std::vector<std::string>& symbols) const
{
    colours = colours_;
    flags = flags_;
    symbols.assign(colours_.size(), std::string());
    for (std::size_t i = 0; i < colours_.size() && i < symbols_.size(); ++i)
        symbols[i] = symbols_[i];
}

void ColorToolWindow::PaiXuForColor(std::vector<ColorRef>& colours, std::vector<std::uint32_t>& flags,
                                    std::vector<std::string>& symbols) const
{
    std::vector<ColorRef> c;
    std::vector<std::uint32_t> f;
    std::vector<std::string> s;
    NoPaiXu(c, f, s);
    colours.clear();
    flags.clear();
    symbols.clear();
    for (const int i : colourChainOrder(c)) {
        colours.push_back(c[static_cast<std::size_t>(i)]);
        flags.push_back(f[static_cast<std::size_t>(i)]);
        symbols.push_back(s[static_cast<std::size_t>(i)]);
    }
}

void ColorToolWindow::rebuildDisplay()
{
    shownToList_.resize(colours_.size());
    std::iota(shownToList_.begin(), shownToList_.end(), 0);
    if (order_ == ByColour) {
        shownToList_ = colourChainOrder(colours_);
        PaiXuForColor(shownColours_, shownFlags_, shownSymbols_);
    } else {
        NoPaiXu(shownColours_, shownFlags_, shownSymbols_);
    }
}

void ColorToolWindow::SetSelColor(ColorRef colour)
{
    rebuildDisplay();
    const auto it = std::find(shownColours_.begin(), shownColours_.end(), colour);
    selected_ = it == shownColours_.end() ? -1 : static_cast<int>(it - shownColours_.begin());
    update();
}

void ColorToolWindow::ReSetFuHao()
{
    for (auto& list : symbolLists_)
        list = symbolCharacterSet();
}

int ColorToolWindow::columns() const
{
    return width() / kColumnPitch + 1;
}

void ColorToolWindow::GetHRang(int& range) const
{
    const int count = static_cast<int>(colours_.size());
    const int rows = (count + columns() - 1) / columns();
    range = std::max(0, rows * kRowPitch - height());
}

void ColorToolWindow::ReSetInit()
{
    selected_ = -1;
    firstRow_ = 0;
    GetHRang(range_);
    scroll_->setRange(0, range_);
    scroll_->setValue(0);
}

void ColorToolWindow::ReadPAL(const std::string& name, const std::string& programDir)
{
    Palette palette;
    PaletteStore(programDir.empty() ? programDirectory() : programDir).load(name, palette);
    colours_ = palette.colors;
    names_ = palette.numbers;
    flags_.assign(palette.flags.begin(), palette.flags.end());
    symbols_.clear();
    selected_ = -1;
    ReSizeColorTool(width(), height());
    update();
}

void ColorToolWindow::setOrder(Order order)
{
    order_ = order;
    selected_ = -1;
    update();
}

int ColorToolWindow::indexAt(QPoint point) const
{
    if (point.x() < 0 || point.y() < 0)
        return -1;
    const int column = point.x() / kColumnPitch, row = (point.y() + firstRow_) / kRowPitch;
    if (column >= columns() || point.x() % kColumnPitch >= kSwatchWidth ||
        (point.y() + firstRow_) % kRowPitch >= kSwatchHeight)
        return -1;
    const int i = row * columns() + column;
    return i < static_cast<int>(colours_.size()) ? i : -1;
}

void ColorToolWindow::paintEvent(QPaintEvent*)
{
    rebuildDisplay();
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    for (int i = 0; i < static_cast<int>(shownColours_.size()); ++i) {
        const QRect r((i % columns()) * kColumnPitch, (i / columns()) * kRowPitch - firstRow_, kSwatchWidth,
                      kSwatchHeight);
        if (!r.intersects(rect()))
            continue;
        const ColorRef c = shownColours_[static_cast<std::size_t>(i)];
        p.fillRect(r, qcolour(c));
        p.setPen(Qt::darkGray);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        if (hasLineColour_ && c == lineColour_) {
            p.setPen(QPen(Qt::black, 1, Qt::DashLine));
            p.drawLine(r.bottomLeft(), r.topRight());
        }
        if (i == selected_) {
            p.setPen(QPen(Qt::red, 2));
            p.drawRect(r.adjusted(-1, -1, 0, 0));
        }
    }
}

void ColorToolWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    rebuildDisplay();
    const int i = indexAt(event->position().toPoint());
    if (i < 0)
        return;
    selected_ = i;
    update();
    if (notify_) {
        const std::size_t inList = static_cast<std::size_t>(shownToList_[static_cast<std::size_t>(i)]);
        ColourToolSelection pick{static_cast<std::int32_t>(inList), colours_[inList], names_[inList]};
        ViewMessageEvent message(kColourToolPickMessage, reinterpret_cast<std::uintptr_t>(&pick), 0);
        QCoreApplication::sendEvent(notify_, &message);
    }
}

void ColorToolWindow::contextMenuEvent(QContextMenuEvent* event)
{
    menu_->popup(event->globalPos());
}

void ColorToolWindow::resizeEvent(QResizeEvent*)
{
    const int w = scroll_->sizeHint().width();
    scroll_->setGeometry(width() - w, 0, w, height());
    GetHRang(range_);
    scroll_->setRange(0, range_);
}

}  // namespace brenmark
