#pragma once
// Metafiles read back for the tests: records split out of the bytes, picked by type, and the
// handle table played through as a reader would.
#include "editor/render/emf_records.h"
#include "editor/render/emf_writer.h"

#include <QFile>
#include <QPainter>
#include <QRect>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

namespace brenmark::test {

using namespace brenmark::emf;

struct Record {
    std::uint32_t type = 0;
    QByteArray bytes;  // the whole record
    std::uint32_t u32(int at) const { return qFromLittleEndian<std::uint32_t>(bytes.constData() + at); }
    std::int32_t i32(int at) const { return qFromLittleEndian<std::int32_t>(bytes.constData() + at); }
    std::int16_t i16(int at) const { return qFromLittleEndian<std::int16_t>(bytes.constData() + at); }
    QRect rect(int at) const { return QRect(QPoint(i32(at), i32(at + 4)), QPoint(i32(at + 8), i32(at + 12))); }
    QString utf16(int at, int units) const
    {
        QString s;
        for (int i = 0; i < units; ++i)
            s += QChar(qFromLittleEndian<std::uint16_t>(bytes.constData() + at + 2 * i));
        return s;
    }
};

// Splits a file into records; a size that is not a multiple of four or runs past the end
// fails the test.
inline std::vector<Record> records(const QByteArray& file)
{
    std::vector<Record> out;
    int at = 0;
    while (at + 8 <= file.size()) {
        Record r;
        r.type = qFromLittleEndian<std::uint32_t>(file.constData() + at);
        const auto size = qFromLittleEndian<std::uint32_t>(file.constData() + at + 4);
        EXPECT_EQ(size % 4, 0u) << "record " << out.size() << " of type " << r.type;
        EXPECT_GE(size, 8u);
        if (size < 8 || at + static_cast<int>(size) > file.size()) {
            ADD_FAILURE() << "record " << out.size() << " runs past the end";
            break;
        }
        r.bytes = file.mid(at, static_cast<int>(size));
        out.push_back(r);
        at += static_cast<int>(size);
    }
    EXPECT_EQ(at, file.size()) << "bytes after the last record";
    return out;
}

inline std::vector<Record> ofType(const std::vector<Record>& all, std::uint32_t type)
{
    std::vector<Record> out;
    for (const Record& r : all)
        if (r.type == type)
            out.push_back(r);
    return out;
}

inline QByteArray metafile(QSize size, const std::function<void(QPainter&)>& draw)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"drawing.emf"_qs);
    QString error;
    EXPECT_TRUE(writeEmf(path, size, draw, &error)) << error.toStdString();
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

// Plays the object records the way a reader's handle table does: handles are created into
// free slots below nHandles, selected only while alive (or stock), deleted only when alive and
// not selected.
inline void checkHandles(const std::vector<Record>& all)
{
    ASSERT_FALSE(all.empty());
    const int handles = static_cast<int>(all.front().u32(56) & 0xFFFF);
    std::set<std::uint32_t> alive;
    std::vector<std::set<std::uint32_t>> selected(1);
    for (const Record& r : all) {
        switch (r.type) {
        case EMR_CREATEPEN:
        case EMR_EXTCREATEPEN:
        case EMR_CREATEBRUSHINDIRECT:
        case EMR_EXTCREATEFONTINDIRECTW: {
            const std::uint32_t h = r.u32(8);
            EXPECT_GT(h, 0u);
            EXPECT_LT(static_cast<int>(h), handles) << "handle past nHandles";
            EXPECT_TRUE(alive.insert(h).second) << "handle " << h << " created twice";
            break;
        }
        case EMR_SELECTOBJECT: {
            const std::uint32_t h = r.u32(8);
            if (!(h & 0x80000000u)) {
                EXPECT_TRUE(alive.count(h)) << "selecting dead handle " << h;
            }
            selected.back().insert(h);
            break;
        }
        case EMR_DELETEOBJECT: {
            const std::uint32_t h = r.u32(8);
            EXPECT_EQ(alive.erase(h), 1u) << "deleting dead handle " << h;
            break;
        }
        case EMR_SAVEDC: selected.push_back(selected.back()); break;
        case EMR_RESTOREDC:
            ASSERT_GT(selected.size(), 1u) << "RESTOREDC without SAVEDC";
            selected.pop_back();
            break;
        default: break;
        }
    }
    EXPECT_EQ(selected.size(), 1u) << "SAVEDC left open";
}

}  // namespace brenmark::test
