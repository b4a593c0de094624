// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/FormTable.h"
#include "app/frmOptions.h"
#include "browser/frmAbout.h"
#include "browser/frmMain.h"
#include "core/AppGlobals.h"
#include "core/AppSettings.h"
#include "core/Help.h"
#include "core/HelpKeyFilter.h"
#include "core/TextUtil.h"
#include "core/Version.h"
#include "core/cuAppError.h"
#include "core/pOptions.h"
#include "core/pQXLibApp.h"
#include "platform/QtMessageBoxPresenter.h"
#include "platform/SettingsDatabase.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
bool g_shuttingDown = false;

MessageBoxPresenter* installPresenter()
{
    // A presenter installed earlier (tests) stays in charge.
    if (MessageBoxService::presenter())
        return MessageBoxService::presenter();
    static QtMessageBoxPresenter presenter;
    // The box waits for its answer; the topic opens beside it.
    presenter.setHelpHandler([](const QString& helpFile, int helpContext) {
        Help().HTMLHelpContext(QApplication::activeModalWidget(), helpFile, helpContext);
    });
    MessageBoxService::setPresenter(&presenter);
    return &presenter;
}

} // namespace

void SetApplicationIdentity()
{
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    QApplication::setApplicationVersion(ProgramVersion());
    // Lets the desktop match the windows to tolvane.desktop (its icon, its actions).
    QGuiApplication::setDesktopFileName(QStringLiteral("tolvane"));
    QIcon icon;
    for (const QString& png : QDir(QStringLiteral(":/icons")).entryList(QDir::Files))
        icon.addFile(QStringLiteral(":/icons/") + png);
    QApplication::setWindowIcon(icon);
}

void InstallGermanQtTexts()
{
    static QTranslator* translator = nullptr;
    if (translator || !qApp)
        return;
    translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_de"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

namespace {

void openMainWindow()
{
    auto* splash = new frmAbout(nullptr, frmAbout::Mode::Splash);
    splash->show();
    // Painted before the main window's loading keeps the event loop busy.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    frmMain* main = nullptr;
    try {
        main = new frmMain();
    } catch (...) {
        splash->close();
        throw;
    }
    main->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(main, &frmMain::optionsRequested, main, [main] {
        frmOptions dialog(main);
        dialog.exec();
    });
    QObject::connect(main, &frmMain::unloaded, main, [] { AppShutdown(); });
    splash->SetStatus(QStringLiteral("...  gleich geht´s los."));
    main->show();
    // The greeting stays on top but the keyboard belongs to the main window.
    main->activateWindow();
    splash->raise();
    splash->CloseWhenShown(main);
}
} // namespace

void Main(const QStringList& argumentsAfterProgram)
{
    try {
        g_shuttingDown = false;
        SetAppExitCode(0);
        SetAppErr(std::make_unique<cuAppError>());
        installPresenter();
        InstallGermanQtTexts();
        HelpKeyFilter::Install();
        SetQXLibApp(std::make_unique<pQXLibApp>());
        // A damaged settings file was set aside when the store opened: say which.
        for (const SettingsNotice& notice : TakeSettingsNotices())
            AppErr().MsgShow(notice.message, MsgStyle::Exclamation, notice.file, notice.detail);
        auto options = std::make_unique<pOptions>();
        options->Init();
        SetAppOptions(std::move(options));
        // The help pages beside the program or installed with it; none: no Help buttons.
        cuAppError::SetApplicationHelpFile(Help::HelpFolder());
        if (!HasCmd(argumentsAfterProgram))
            openMainWindow();
    } catch (...) {
        AppErr().ErrMsg(QStringLiteral("mGlobal"), QStringLiteral("Main"));
        try {
            AppShutdown(1);
        } catch (...) {
        }
    }
}

bool HasCmd(const QStringList& argumentsAfterProgram)
{
    try {
        const QStringList tokens = CommandLineTokens(argumentsAfterProgram);
        if (tokens.isEmpty())
            return false;
        const CommandChoice choice =
            ChooseFromCommandLine(tokens, CommandLineSlideshow(),
                                  [](const QString& form) { return FormClassKnown(form); });
        if (choice.slideshowTookOver)
            return true;
        if (choice.formClass.isEmpty())
            return false;
        if (pOptions* options = AppOptions())
            options->StartedByCmdLine = true;
        ShowFormByName(choice.formClass, 0, nullptr);
        return true;
    } catch (...) {
        AppErr().ErrRaise(0, QStringLiteral("mGlobal"), QStringLiteral("HasCmd"));
        return false;
    }
}

void AppShutdown(int exitCode)
{
    if (exitCode != 0)
        SetAppExitCode(exitCode);
    if (g_shuttingDown)
        return;
    g_shuttingDown = true;
    // The options go first: writing them back still needs the other services.
    SetAppOptions(nullptr);
    SetQXLibApp(nullptr);
    SetAppErr(nullptr);
    UnloadAllForms(nullptr);
}

QString CommandLineInfo(const QStringList& argumentsAfterProgram)
{
    switch (FindInfoSwitch(argumentsAfterProgram)) {
    case InfoSwitch::Version:
        return VersionText() + QLatin1Char('\n');
    case InfoSwitch::Help:
        return UsageText([](const QString& form) { return FormClassKnown(form); },
                         CommandLineSlideshow() != nullptr);
    case InfoSwitch::None:
        break;
    }
    return {};
}
