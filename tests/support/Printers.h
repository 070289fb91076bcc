#pragma once
// How a failing check shows the program's values: texts as text (Shift-JIS turned into UTF-8,
// controls escaped), rectangles and colours as numbers, enumerations by name, a failure with
// its message, where gtest would otherwise dump their bytes. gtest finds these PrintTo
// functions beside the types; the fakes and TempFolder.h include this header.

#include <gmock/gmock.h>

#include <ostream>
#include <string_view>

#include "core/Result.h"
#include "core/TextCodec.h"
#include "model/BracedFields.h"
#include "model/Card.h"
#include "model/MacroReader.h"

#if __has_include(<QString>)
#include <QByteArray>
#include <QRect>
#include <QString>
#endif
#if __has_include(<QColor>)
#include <QColor>
#include <QImage>
#endif

namespace zepo::test {

// Bytes in quotes: UTF-8 as it is, anything else read as Shift-JIS; controls escaped.
inline void PrintText(std::string_view bytes, std::ostream* os) {
    static const char hex[] = "0123456789ABCDEF";
    *os << '"';
    for (char c : IsUtf8(bytes) ? std::string(bytes) : SjisToUtf8(bytes)) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') *os << '\\' << c;
        else if (c == '\r' || c == '\n') *os << (c == '\r' ? "\\r" : "\\n");
        else if (u < 0x20 || u == 0x7F) *os << "\\x" << hex[u >> 4] << hex[u & 15];
        else *os << c;
    }
    *os << '"';
}

// The name of an enumerator, or its number when it is none of them.
template <class Enum, size_t N>
void PrintName(Enum value, const char* const (&names)[N], std::ostream* os) {
    const auto i = static_cast<size_t>(value);
    if (i < N) *os << names[i];
    else *os << "(value " << static_cast<long long>(value) << ")";
}

// A Shift-JIS text, byte for byte, named and shown in UTF-8: EXPECT_THAT(title, SjisIs("題名")).
MATCHER_P(SjisIs, utf8, "is the Shift-JIS of \"" + std::string(utf8) + "\"") {
    if (auto* os = result_listener->stream()) {
        *os << "which reads ";
        PrintText(arg, os);
    }
    return arg == Utf8ToSjis(utf8).bytes;
}

}  // namespace zepo::test

namespace zepo {

inline void PrintTo(const Error& e, std::ostream* os) {
    *os << "failed: ";
    test::PrintText(e.message, os);
}
template <class T>
void PrintTo(const Result<T>& r, std::ostream* os) {
    if (r) *os << "ok";
    else PrintTo(r.error(), os);
}
inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "{" << r.left << "," << r.top << " " << r.width << "x" << r.height << "}";
}
inline void PrintTo(const Association& a, std::ostream* os) {
    *os << '{';
    test::PrintText(a.name, os);
    *os << ", ";
    test::PrintText(a.file, os);
    *os << '}';
}
inline void PrintTo(SlotKind k, std::ostream* os) {
    test::PrintName(k, {"OneLineText", "TextBlock", "Picture", "Frame"}, os);
}
inline void PrintTo(Typeface f, std::ostream* os) {
    test::PrintName(f, {"Mincho", "Gothic", "TimesNewRoman", "Arial"}, os);
}
inline void PrintTo(AssociationKind k, std::ostream* os) {
    test::PrintName(k, {"None", "Card", "Wave", "CdAudio", "Midi", "Movie", "Run", "This"}, os);
}
inline void PrintTo(CardField f, std::ostream* os) {
    test::PrintName(f,
                    {"Title", "CardName", "Caption", "TextFile", "PictureFile", "AssociationName", "AssociationFile",
                     "FeatureFile", "Movie2File", "SlideEntry"},
                    os);
}
inline void PrintTo(ReadNote n, std::ostream* os) {
    test::PrintName(n,
                    {"Message", "UnknownStatement", "IgnoredStatement", "NoFreeSlot", "LinkBreaksOnSave",
                     "DroppedSlideEntry", "Stopped"},
                    os);
}
inline void PrintTo(const FontSpec& f, std::ostream* os) {
    PrintTo(f.face, os);
    *os << " " << f.height << (f.bold ? " bold" : "") << (f.italic ? " italic" : "");
}
// What tells slots apart at a glance: where, and the text or file.
inline void PrintTo(const Slot& s, std::ostream* os) {
    if (!s.inUse) *os << "unused ";
    PrintTo(s.bounds, os);
    for (const std::string* text : {&s.caption, &s.block.fileName, &s.picture.fileName}) {
        if (text->empty()) continue;
        *os << " ";
        test::PrintText(*text, os);
    }
}
inline void PrintTo(const Card& card, std::ostream* os) {
    *os << "card ";
    test::PrintText(card.settings.name, os);
    for (int id : card.UsedSlotsInStackingOrder()) {
        *os << ", slot " << id << " ";
        PrintTo(card.slot(id), os);
    }
}

}  // namespace zepo

#if __has_include(<QString>)
inline void PrintTo(const QString& s, std::ostream* os) { zepo::test::PrintText(s.toStdString(), os); }
inline void PrintTo(const QByteArray& b, std::ostream* os) { zepo::test::PrintText(b.toStdString(), os); }
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << "(" << p.x() << "," << p.y() << ")"; }
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << "{" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << "}";
}
#endif
#if __has_include(<QColor>)
inline void PrintTo(const QColor& c, std::ostream* os) {
    *os << c.name(c.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb).toStdString();
}
inline void PrintTo(const QImage& i, std::ostream* os) {
    *os << (i.isNull() ? "null picture " : "picture ") << i.width() << "x" << i.height() << " of " << i.depth()
        << " bits";
}
#endif
