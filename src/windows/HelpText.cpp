// Splitting and decoding the help file, and the help window's sizes.
#include "windows/HelpText.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace tarsio {

namespace {

constexpr int ListBottomMargin = 700;
constexpr int ButtonBottomOffset = 450;

// Windows-1252 characters of the bytes 0x80 to 0x9F; the five bytes it leaves unassigned keep the
// control character of the same value, as the system's conversion does.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(QByteArrayView bytes) {
  QString text(bytes.size(), Qt::Uninitialized);
  QChar* out = text.data();
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(Cp1252High[byte - 0x80]) : QChar(byte);
  }
  return text;
}

bool isValidUtf8(QByteArrayView bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = decoder(bytes);
  return !decoder.hasError();
}

}  // namespace

QStringList helpLines(const QByteArray& fileBytes) {
  const bool utf8 = isValidUtf8(fileBytes);
  const qsizetype n = fileBytes.size();
  QStringList lines;
  // p and f count from 1, as in the rule above; the bytes of a line are p - 1 .. f - 2 from 0.
  qsizetype p = 1;
  while (true) {
    const qsizetype found = fileBytes.indexOf("\r\n", p - 1);
    const qsizetype f = found < 0 ? n + 1 : found + 1;
    const QByteArrayView line = QByteArrayView(fileBytes).sliced(p - 1, f - p);
    lines.append(utf8 ? QString::fromUtf8(line) : fromWindows1252(line));
    if (f >= n - 3) break;
    p = f + 2;
  }
  return lines;
}

int helpListHeight(int innerHeightTwips) { return std::max(0, innerHeightTwips - ListBottomMargin); }

int helpButtonTop(int innerHeightTwips) { return innerHeightTwips - ButtonBottomOffset; }

}  // namespace tarsio
