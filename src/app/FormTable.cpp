// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FormTable.h"

#include "app/Startup.h"
#include "calc/frmCalculator.h"
#include "calc/frmInterestCalc.h"
#include "calc/frmTimeCalc.h"
#include "core/AppErrorRecord.h"
#include "dircomp/frmDirComp.h"
#include "pictures/pCmdSlideshow.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {
struct FormEntry {
    const char* className;
    QWidget* (*create)(QWidget* owner);
};

// A tool window that, run alone, ends the run when it unloads.
template <class Form> QWidget* createTool(QWidget* owner)
{
    auto* form = new Form(owner);
    QObject::connect(form, &Form::shutdownRequested, form, [] { AppShutdown(); });
    return form;
}

// One row per window class a switch may open alone.
const FormEntry kForms[] = {
    {"frmDirComp", createTool<frmDirComp>},
    {"frmCalculator", createTool<frmCalculator>},
    {"frmTimeCalc", createTool<frmTimeCalc>},
    {"frmInterestCalc", createTool<frmInterestCalc>},
};

// "/Slideshow PATH": the show's window is the run's only one, and closing it ends the run.
bool runSlideshow(const QString& path)
{
    pCmdSlideshow run;
    run.ShutDown = [] { AppShutdown(); };
    return run.Run(path);
}

constexpr SlideshowRunner kSlideshowRunner = runSlideshow;

const FormEntry* findForm(const QString& className)
{
    for (const FormEntry& entry : kForms) {
        if (className.compare(QLatin1String(entry.className), Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}
} // namespace

bool FormClassKnown(const QString& className)
{
    return findForm(className) != nullptr;
}

QWidget* ShowFormByName(const QString& className, int modalStyle, QWidget* owner)
{
    const FormEntry* entry = findForm(className);
    if (!entry)
        throw AppErrorRecord(RuntimeError::InvalidProcedureCall, QStringLiteral("mQXLib"),
                             QStringLiteral("Unbekannte Fensterklasse '%1'.").arg(className));
    QWidget* form = entry->create(owner);
    form->setAttribute(Qt::WA_DeleteOnClose);
    if (modalStyle == 1) {
        form->setWindowModality(Qt::ApplicationModal);
        form->show();
    } else {
        form->show();
    }
    return form;
}

void UnloadAllForms(QList<QWidget*>* forms)
{
    QList<QPointer<QWidget>> targets;
    const QList<QWidget*> source = forms ? *forms : QApplication::topLevelWidgets();
    for (QWidget* w : source) {
        // Menus, tool tips and other windows with an owner go with their owner.
        const bool ownWindow = w && w->isWindow() && !w->parentWidget() &&
                               w->windowType() != Qt::ToolTip && w->windowType() != Qt::Popup;
        if (w && (forms || ownWindow))
            targets << w;
    }
    for (qsizetype i = targets.size() - 1; i >= 0; --i) {
        QWidget* w = targets.at(i);
        if (!w)
            continue;
        w->close();
        if (w)
            w->deleteLater();
    }
    if (forms)
        forms->clear();
}

SlideshowRunner CommandLineSlideshow()
{
    return kSlideshowRunner;
}
