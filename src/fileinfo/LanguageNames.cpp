// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/LanguageNames.h"

#include <algorithm>
#include <iterator>

namespace {
struct Name {
    quint16 id;
    const char* text; // UTF-8
};

// Sorted by number.
constexpr Name kLanguages[] = {
    {0x0401, "Arabisch (Saudi-Arabien)"},
    {0x0402, "Bulgarisch (Bulgarien)"},
    {0x0403, "Katalanisch (Spanien)"},
    {0x0404, "Chinesisch (Taiwan)"},
    {0x0405, "Tschechisch (Tschechien)"},
    {0x0406, "Dänisch (Dänemark)"},
    {0x0407, "Deutsch (Deutschland)"},
    {0x0408, "Griechisch (Griechenland)"},
    {0x0409, "Englisch (USA)"},
    {0x040A, "Spanisch (Spanien, traditionelle Sortierung)"},
    {0x040B, "Finnisch (Finnland)"},
    {0x040C, "Französisch (Frankreich)"},
    {0x040D, "Hebräisch (Israel)"},
    {0x040E, "Ungarisch (Ungarn)"},
    {0x040F, "Isländisch (Island)"},
    {0x0410, "Italienisch (Italien)"},
    {0x0411, "Japanisch (Japan)"},
    {0x0412, "Koreanisch (Korea)"},
    {0x0413, "Niederländisch (Niederlande)"},
    {0x0414, "Norwegisch, Bokmål (Norwegen)"},
    {0x0415, "Polnisch (Polen)"},
    {0x0416, "Portugiesisch (Brasilien)"},
    {0x0417, "Rätoromanisch (Schweiz)"},
    {0x0418, "Rumänisch (Rumänien)"},
    {0x0419, "Russisch (Russland)"},
    {0x041A, "Kroatisch (Kroatien)"},
    {0x041B, "Slowakisch (Slowakei)"},
    {0x041C, "Albanisch (Albanien)"},
    {0x041D, "Schwedisch (Schweden)"},
    {0x041E, "Thai (Thailand)"},
    {0x041F, "Türkisch (Türkei)"},
    {0x0420, "Urdu (Pakistan)"},
    {0x0421, "Indonesisch (Indonesien)"},
    {0x0422, "Ukrainisch (Ukraine)"},
    {0x0423, "Belarussisch (Belarus)"},
    {0x0424, "Slowenisch (Slowenien)"},
    {0x0425, "Estnisch (Estland)"},
    {0x0426, "Lettisch (Lettland)"},
    {0x0427, "Litauisch (Litauen)"},
    {0x0429, "Persisch (Iran)"},
    {0x042A, "Vietnamesisch (Vietnam)"},
    {0x042D, "Baskisch (Spanien)"},
    {0x042F, "Mazedonisch (Nordmazedonien)"},
    {0x0436, "Afrikaans (Südafrika)"},
    {0x0437, "Georgisch (Georgien)"},
    {0x0439, "Hindi (Indien)"},
    {0x043E, "Malaiisch (Malaysia)"},
    {0x0456, "Galicisch (Spanien)"},
    {0x0804, "Chinesisch (Volksrepublik China)"},
    {0x0807, "Deutsch (Schweiz)"},
    {0x0809, "Englisch (Vereinigtes Königreich)"},
    {0x080A, "Spanisch (Mexiko)"},
    {0x080C, "Französisch (Belgien)"},
    {0x0810, "Italienisch (Schweiz)"},
    {0x0813, "Niederländisch (Belgien)"},
    {0x0814, "Norwegisch, Nynorsk (Norwegen)"},
    {0x0816, "Portugiesisch (Portugal)"},
    {0x081A, "Serbisch (Lateinisch, Serbien)"},
    {0x081D, "Schwedisch (Finnland)"},
    {0x0C04, "Chinesisch (Hongkong)"},
    {0x0C07, "Deutsch (Österreich)"},
    {0x0C09, "Englisch (Australien)"},
    {0x0C0A, "Spanisch (Spanien)"},
    {0x0C0C, "Französisch (Kanada)"},
    {0x0C1A, "Serbisch (Kyrillisch, Serbien)"},
    {0x1004, "Chinesisch (Singapur)"},
    {0x1007, "Deutsch (Luxemburg)"},
    {0x1009, "Englisch (Kanada)"},
    {0x100C, "Französisch (Schweiz)"},
    {0x1407, "Deutsch (Liechtenstein)"},
    {0x1409, "Englisch (Neuseeland)"},
    {0x140C, "Französisch (Luxemburg)"},
    {0x1809, "Englisch (Irland)"},
};

// Primary languages (the low ten bits of the number), sorted.
constexpr Name kPrimary[] = {
    {0x01, "Arabisch"},
    {0x02, "Bulgarisch"},
    {0x03, "Katalanisch"},
    {0x04, "Chinesisch"},
    {0x05, "Tschechisch"},
    {0x06, "Dänisch"},
    {0x07, "Deutsch"},
    {0x08, "Griechisch"},
    {0x09, "Englisch"},
    {0x0A, "Spanisch"},
    {0x0B, "Finnisch"},
    {0x0C, "Französisch"},
    {0x0D, "Hebräisch"},
    {0x0E, "Ungarisch"},
    {0x0F, "Isländisch"},
    {0x10, "Italienisch"},
    {0x11, "Japanisch"},
    {0x12, "Koreanisch"},
    {0x13, "Niederländisch"},
    {0x14, "Norwegisch"},
    {0x15, "Polnisch"},
    {0x16, "Portugiesisch"},
    {0x17, "Rätoromanisch"},
    {0x18, "Rumänisch"},
    {0x19, "Russisch"},
    {0x1A, "Kroatisch"},
    {0x1B, "Slowakisch"},
    {0x1C, "Albanisch"},
    {0x1D, "Schwedisch"},
    {0x1E, "Thai"},
    {0x1F, "Türkisch"},
    {0x20, "Urdu"},
    {0x21, "Indonesisch"},
    {0x22, "Ukrainisch"},
    {0x23, "Belarussisch"},
    {0x24, "Slowenisch"},
    {0x25, "Estnisch"},
    {0x26, "Lettisch"},
    {0x27, "Litauisch"},
    {0x29, "Persisch"},
    {0x2A, "Vietnamesisch"},
    {0x2D, "Baskisch"},
    {0x2F, "Mazedonisch"},
    {0x36, "Afrikaans"},
    {0x37, "Georgisch"},
    {0x39, "Hindi"},
    {0x3E, "Malaiisch"},
    {0x56, "Galicisch"},
    {0x7F, "Invariante Sprache"},
};

template <size_t N> const char* lookup(const Name (&table)[N], quint16 id)
{
    const auto it = std::lower_bound(std::begin(table), std::end(table), id,
                                     [](const Name& n, quint16 v) { return n.id < v; });
    return (it != std::end(table) && it->id == id) ? it->text : nullptr;
}
} // namespace

QString LanguageName(quint16 languageId)
{
    const quint16 primary = languageId & 0x03FF;
    // Every sublanguage of the neutral primary language (default, system
    // default, custom) is shown as neutral.
    if (primary == 0)
        return QStringLiteral("Sprachneutral");
    if (const char* text = lookup(kLanguages, languageId))
        return QString::fromUtf8(text);
    if (const char* text = lookup(kPrimary, primary))
        return QString::fromUtf8(text);
    return QStringLiteral("Sprache 0x%1")
        .arg(QString::number(languageId, 16).toUpper().rightJustified(4, QLatin1Char('0')));
}
