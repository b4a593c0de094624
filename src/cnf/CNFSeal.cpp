// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFSeal.h"

#include "platform/ByteReader.h"

#include <array>

namespace {
constexpr char kMarker[] = "****QXCNF****";
// Ten digits and the letter keys of a German keyboard in both cases. Files
// sealed with another check text do not open here.
constexpr char kCheckText[] = "1234567890qwertzuiopasdfghjklöäyxcvbnm"
                              "QWERTZUIOPASDFGHJKLÖÄYXCVBNM";

constexpr std::array<quint8, 256> makeSwapTable()
{
    std::array<quint8, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[size_t(c)] = quint8(c);
    table[32] = 255;
    table[255] = 32;
    return table;
}
constexpr std::array<quint8, 256> kSwap = makeSwapTable();
} // namespace

QByteArrayView CNFSeal::Marker()
{
    return QByteArrayView(kMarker, qsizetype(sizeof(kMarker) - 1));
}

QByteArrayView CNFSeal::CheckText()
{
    return QByteArrayView(kCheckText, qsizetype(sizeof(kCheckText) - 1));
}

bool CNFSeal::HasMarker(QByteArrayView bytes)
{
    const QByteArrayView marker = Marker();
    return bytes.size() >= marker.size() &&
           qstrnicmp(bytes.data(), marker.data(), marker.size()) == 0;
}

QByteArray CNFSeal::Transform(QByteArrayView text, QByteArrayView password)
{
    if (password.isEmpty())
        return text.toByteArray();
    QByteArray result(text.size(), Qt::Uninitialized);
    const auto* in = reinterpret_cast<const quint8*>(text.data());
    auto* out = reinterpret_cast<quint8*>(result.data());
    const auto* key = reinterpret_cast<const quint8*>(password.data());
    const qsizetype keyLength = password.size();
    qsizetype k = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        out[i] = kSwap[kSwap[in[i]] ^ key[k]];
        if (++k == keyLength)
            k = 0;
    }
    return result;
}

QByteArray CNFSeal::Seal(QByteArrayView text, QByteArrayView password)
{
    QByteArray plain;
    plain.reserve(text.size() + CheckText().size());
    plain.append(text);
    plain.append(CheckText());
    QByteArray sealed = Marker().toByteArray();
    sealed.append(Transform(plain, password));
    return sealed;
}

CNFSeal::OpenResult CNFSeal::Open(QByteArrayView sealed, QByteArrayView password, QByteArray& text)
{
    if (!HasMarker(sealed))
        return OpenResult::NotSealed;
    const ByteReader reader(sealed);
    const quint64 markerSize = quint64(Marker().size());
    const std::optional<QByteArrayView> body = reader.view(markerSize, reader.size() - markerSize);
    if (!body)
        return OpenResult::NotSealed;
    QByteArray opened = Transform(*body, password);
    // The check text is compared exactly: compared ignoring case, a password
    // that differs from the right one only in the case of some letters can
    // hit letters of the check text alone and pass, and the file would open
    // as garbage.
    if (!opened.endsWith(CheckText()))
        return OpenResult::WrongPassword;
    opened.chop(CheckText().size());
    text = std::move(opened);
    return OpenResult::Opened;
}
