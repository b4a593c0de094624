// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

// The eleven document properties, numbered as OfficeDocProperties numbers them.
enum DocProperty {
    DocApplication,
    DocAuthor,
    DocCategory,
    DocComments,
    DocCompany,
    DocCreated,
    DocKeywords,
    DocLastAuthor,
    DocLastSaved,
    DocSubject,
    DocTitle,
    DocPropertyCount
};

// The values as shown to the user, one text per property; empty when absent.
using DocPropertyValues = std::array<QString, DocPropertyCount>;
