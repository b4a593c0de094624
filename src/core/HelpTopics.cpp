// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HelpTopics.h"

const QList<HelpTopic>& HelpTopics()
{
    using namespace HelpTopicId;
    static const QList<HelpTopic> topics = {
        {Contents, -1, "index.html", "Inhalt"},
        {MainWindow, -1, "hauptfenster.html", "Das Hauptfenster"},
        {Properties, MainWindow, "hauptfenster.html#eigenschaften",
         "Datei- und Ordnereigenschaften"},
        {Masks, -1, "masken.html", "Dateimasken"},
        {UserFileMenu, Masks, "masken.html#benutzermenue", "Eigene Befehle im Menü „Öffnen“"},
        {Rename, -1, "umbenennen.html", "Stapel-Umbenennen"},
        {FileTimes, -1, "dateizeiten.html", "Datum und Uhrzeit von Dateien"},
        {ComponentRegistration, -1, "registrieren.html", "Komponenten registrieren"},
        {DirComp, -1, "ordnervergleich.html", "Ordner vergleichen"},
        {RegView, -1, "regview.html", "Registrierdateien ansehen"},
        {Icons, -1, "symbole.html", "Symbole anzeigen und speichern"},
        {Slideshow, -1, "slideshow.html", "Bilder und Slideshow"},
        {Calculators, -1, "rechner.html", "Rechner"},
        {TapeCalculator, Calculators, "rechner.html#rechner", "Rechner mit Papierstreifen"},
        {TimeCalculator, Calculators, "rechner.html#zeitrechner", "Zeitrechner"},
        {InterestCalculator, Calculators, "rechner.html#zinsrechner", "Zinsrechner"},
        {Settings, -1, "einstellungen.html", "Einstellungen"},
        {CommandLine, Settings, "einstellungen.html#kommandozeile", "Kommandozeile"},
        {Companion, -1, "tolvane-cli.html", "Das Begleitprogramm tolvane-cli"},
        {OnLinux, -1, "linux.html", "Was unter Linux anders ist"},
        {About, -1, "info.html", "Begrüßung und Info-Fenster"},
    };
    return topics;
}

const HelpTopic& HelpTopicById(qint32 id)
{
    for (const HelpTopic& topic : HelpTopics())
        if (topic.id == id)
            return topic;
    return HelpTopics().first();
}

const HelpTopic* HelpTopicByPage(const QString& page)
{
    // An exact match (with anchor) wins over the page alone.
    const HelpTopic* pageOnly = nullptr;
    const QString bare = page.section(QLatin1Char('#'), 0, 0);
    for (const HelpTopic& topic : HelpTopics()) {
        const QString own = QString::fromUtf8(topic.page);
        if (own == page)
            return &topic;
        if (!pageOnly && own == bare)
            pageOnly = &topic;
    }
    return pageOnly;
}

qint32 HelpTopicOfWindow(const QString& windowName)
{
    using namespace HelpTopicId;
    static const struct {
        const char* window;
        qint32 topic;
    } windows[] = {
        {"frmMainMasks", Masks},         {"frmMainMasksEdit", Masks},
        {"frmRename", Rename},           {"frmRenamePrv", Rename},
        {"frmDatePicker", FileTimes},    {"frmDirComp", DirComp},
        {"frmRegView", RegView},         {"frmIconView", Icons},
        {"frmSlideshow", Slideshow},     {"frmCalculator", TapeCalculator},
        {"frmTimeCalc", TimeCalculator}, {"frmInterestCalc", InterestCalculator},
        {"frmOptions", Settings},        {"frmFileInfo", MainWindow},
        {"frmDirInfo", MainWindow},      {"frmAbout", About},
    };
    for (const auto& row : windows)
        if (windowName == QLatin1String(row.window))
            return row.topic;
    return Contents;
}
