#pragma once

#include <QString>

#include <string>

namespace quorbin {

// The core's texts are UTF-8; Qt's are UTF-16. Conversions happen here, at the seam.
inline QString toQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string toUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace quorbin
