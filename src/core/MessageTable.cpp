// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MessageTable.h"

namespace {
// Three plain typos of the old table are corrected (142, 149, 160).
const char* const kMessages[] = {
    "Soll wirklich die Registrierung von ## Dateien aufgehoben werden?",                      // 101
    "Soll wirklich die Registrierung von '##' aufgehoben werden?",                            // 102
    "## Dateien werden registriert. Fortfahren?",                                             // 103
    "'##' konnte nicht erfolgreich ## werden.",                                               // 104
    "'##' wurde erfolgreich ##.",                                                             // 105
    "Fortfahren?",                                                                            // 106
    "## Dateien wurden erfolgreich ",                                                         // 107
    "und ## nicht erfolgreich",                                                               // 108
    "Keine Datei konnte erfolgreich ## werden.",                                              // 109
    "## Dateien wurden erfolgreich ##.",                                                      // 110
    "Für '##' sind keine Versionsinformationen verfügbar.",                                   // 111
    "Für diese Funktion muss eine Datei ausgewählt sein.",                                    // 112
    "Für diese Funktion darf nur eine Datei ausgewählt sein.",                                // 113
    "Es gibt zurzeit keine Onlinehilfe für dieses Programm.",                                 // 114
    "## Dateien wurden geändert.",                                                            // 115
    "Die Datei '##' hat eine Größe von ##.@@Trotzdem im Editor öffnen?",                      // 116
    "Sie müssen eine weitere Option aktivieren, damit doppelte Dateinamen vermieden werden.", // 117
    "Die Datei '##' kann nicht in '##' umbenannt werden, da bereits eine gleichnamige Datei "
    "vorhanden ist.",                              // 118
    "## Dateien wurden umbenannt.",                // 119
    "Die angegebene Startposition ist ungültig. ", // 120
    "Die Prüfung hat ergeben, dass die Dateien wie gewünscht umbenannt werden können.@@@@Soll "
    "die Funktion jetzt ausgeführt werden (JA) oder eine Vorschau angezeigt werden (NEIN)?",  // 121
    "Funktion kann nicht ausgeführt werden. Keine Versionsinformationen für '##' verfügbar.", // 122
    "Die Zieldatei '##' existiert bereits. Überschreiben?",                                   // 123
    "Achtung! Mit dieser Funktion werden alle zur Maske '##' passenden Dateien im folgenden "
    "Ordner umbenannt:", // 124
    "Beim Umbenennen werden ## Probleme auftreten.@@@@Es wird nun eine Liste der neuen und alten "
    "Dateinamen angezeigt, in der die Probleme verursachenden Dateinamen durch ein Ausrufezeichen "
    "markiert sind.@@@@Bitte ändern Sie Ihre Einstellungen, damit die Dateien korrekt umbenannt "
    "werden können.",                                                          // 125
    "Aktion starten?",                                                         // 126
    "Die Aktion wurde erfolgreich beendet.",                                   // 127
    "Der Ordner '##' ist nicht mehr vorhanden.",                               // 128
    "Die Datei '##' ist nicht mehr vorhanden.",                                // 129
    "Soll der Ordner '##' als Quellordner verwendet werden?",                  // 130
    "Abbruchaufforderung erkannt.@@Die Ausgabe wird abgebrochen.",             // 131
    "'##' ist ein reserviertes Zeichen.",                                      // 132
    " '##' ist eine unzulässige Eingabe.",                                     // 133
    "Das Feld muss ausgefüllt werden.",                                        // 134
    "Es gibt bereits eine Vorgabe namens '##'. Der Name muss eindeutig sein.", // 135
    "Soll '##' wirklich gelöscht werden?",                                     // 136
    "Der letzte Eintrag kann nicht gelöscht werden.",                          // 137
    "Sollen die Änderungen wirklich verworfen werden?",                        // 138
    "Geben Sie einen (eindeutigen) Namen für die Dateimaske an.",              // 139
    "Geben Sie die Dateierweiterungen an. Trennen Sie mehrere Dateierweiterungen mit einem "
    "Semikolon (;).",                                                                   // 140
    "Dateimaske bearbeiten",                                                            // 141
    "Dateimaske hinzufügen",                                                            // 142
    "Keine passenden Dateien in '##' gefunden.",                                        // 143
    "Bild:",                                                                            // 144
    "Slideshow:",                                                                       // 145
    "Zieldatei angeben",                                                                // 146
    "Bitmap (*.bmp)|*.bmp|Icon (*.ico)|*.ico",                                          // 147
    "*.exe|*.exe|*.dll|*.dll",                                                          // 148
    "Es ist ein Fehler aufgetreten: ##@@@@Fortsetzen?",                                 // 149
    "Fehlernummer: ##@@Fehlerquelle: ##",                                               // 150
    "Slideshow beendet.",                                                               // 151
    "Der Ordner '##' ist nicht vorhanden. Die Slideshow kann nicht ausgeführt werden.", // 152
    "Es wurden keine Slideshow-Dateien angegeben.",                                     // 153
    "Klicken Sie auf <OK>, um die Slideshow zu starten.",                               // 154
    "Es konnten keine Eigenschaften gelesen werden bzw. die Datei enthält keine auslesbaren "
    "Eigenschaften.",                                                 // 155
    "Die Datei '##' ist nicht vorhanden.",                            // 156
    "Es wird eine Kopie von '##' namens '##' angelegt.@@Fortfahren?", // 157
    "Der Einlesevorgang muss zuerst beendet werden.",                 // 158
    "Datum/Uhrzeit des Ordners '##' wurden geändert.",                // 159
    "Die Kommandozeile muss den Platzhalter '##' enthalten, der durch den Pfad zur Datei '##' "
    "ersetzt wird.",                                  // 160
    "Der Pfad wurde in die Zwischenablage kopiert.",  // 161
    "Die Datei '##' kann nicht geöffnet werden.@@##", // 162
    "Kein Programm für diesen Dateityp gefunden. Legen Sie in Ihrer Arbeitsumgebung ein "
    "Programm für diesen Dateityp fest.", // 163
    "Kein Editor gefunden. Tragen Sie unter Extras > Optionen im Feld 'Editor' den Befehl "
    "Ihres Editors ein.",                                                                 // 164
    "Die Datei '##' kann nicht geschrieben werden: ##.",                                  // 165
    "Die Datei '##' kann nicht gelesen werden: ##.",                                      // 166
    "'##' ist keine gewöhnliche Datei, sondern ##.",                                      // 167
    "Die Datei '##' ist zu groß: Gelesen werden höchstens ## MB.",                        // 168
    "Die Zieldatei '##' existiert bereits und wird nicht überschrieben.",                 // 169
    "Das Bild '##' kann nicht angezeigt werden.@@##",                                     // 170
    "Der Schlüssel '##' der Slideshow-Datei hat den Wert '##'; erwartet wird eine Zahl.", // 171
    "Die Einstellungsdatei '##' kann nicht verwendet werden (##). Änderungen an den "
    "Einstellungen werden in dieser Sitzung nicht gespeichert.", // 172
    "Die Einstellungsdatei '##' ist beschädigt und konnte nicht beiseitegelegt werden (##). "
    "Änderungen an den Einstellungen werden in dieser Sitzung nicht gespeichert.", // 173
    "Die Einstellungsdatei '##' war beschädigt und wurde als '##' beiseitegelegt. Es wird "
    "eine neue Einstellungsdatei verwendet.", // 174
    "Die Einstellungsdatei '##' ist schreibgeschützt. Änderungen an den Einstellungen "
    "werden nicht gespeichert.",                          // 175
    "Das Programm '##' kann nicht gestartet werden: ##.", // 176
    "Die Datei '##' wurde nicht gespeichert: Icons werden nur als Bitmap (*.bmp), "
    "Icon (*.ico) oder PNG-Bild (*.png) gespeichert.", // 177
    "Das letzte Stapel-Umbenennen in '##' wurde unterbrochen; es ist jetzt "
    "abgeschlossen.@@@@Soll es rückgängig gemacht werden?",                 // 178
    "Soll das letzte Stapel-Umbenennen in '##' rückgängig gemacht werden?", // 179
    "## Dateien wurden zurückbenannt.",                                     // 180
    "## Dateien konnten nicht zurückbenannt werden: Sie fehlen, oder ihr alter Name ist "
    "inzwischen vergeben.",                                                // 181
    "Es gibt kein Stapel-Umbenennen, das rückgängig gemacht werden kann.", // 182
    "Die Datei '##' kann nicht gelöscht werden: ##.",                      // 183
    "Der Ordner '##' kann nicht gelesen werden: ##.",                      // 184
    "Quellordner und Zielordner sind derselbe Ordner: '##'.",              // 185
    "Die Aktion wurde beendet. Übersprungene Dateien: ##@@##",             // 186
    "Die Datei '##' ist eine Wine-Registrierungsdatei der Version ## und kann nicht gelesen "
    "werden.",                                                           // 187
    "'##' ist kein gültiges Datum.",                                     // 188
    "Datum/Uhrzeit des Ordners '##' konnten nicht geändert werden.@@##", // 189
    "Datum/Uhrzeit von '##' konnten nicht geändert werden.@@##",         // 190
    "Die Datei ist keine Windows-Programmbibliothek.",                   // 191
    "Die Datei enthält keine Funktion '##'.",                            // 192
    "Typbibliotheken können unter Linux nicht registriert werden.",      // 193
    "Wine ist nicht installiert. COM-Server lassen sich unter Linux nur mit Wine "
    "registrieren.",                           // 194
    "Ungültiger Aufruf von regsvr32.",         // 195
    "Wine konnte die Datei nicht laden.",      // 196
    "Dafür wird 32-Bit-Wine benötigt.",        // 197
    "'##' hat einen Fehler gemeldet.",         // 198
    "Wine hat nicht geantwortet.",             // 199
    "Abgebrochen.",                            // 200
    "Wine meldete den Fehlercode ##.",         // 201
    "Der Name '##' ist länger als 255 Bytes.", // 202
    "'##' ist kein Ordner, sondern ##.",       // 203
};
static_assert(sizeof(kMessages) / sizeof(kMessages[0]) ==
              MessageTable::Last - MessageTable::First + 1);
} // namespace

QString MessageTable::text(int number)
{
    if (number < First || number > Last)
        return {};
    return QString::fromUtf8(kMessages[number - First]);
}
