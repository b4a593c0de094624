// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

class QLabel;

// The maker's web page; "Quexel im Web" and the about window open it.
inline const QString kQuexelWebAddress = QStringLiteral("https://www.example.org/tolvane/");
// The maker's mail address, shown by the about window.
inline const QString kQuexelMailAddress = QStringLiteral("tolvane@example.org");

// One window used twice: the greeting while the main window loads, and the
// about window of the help menu.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    enum class Mode { About, Splash };

    explicit frmAbout(QWidget* parent = nullptr, Mode mode = Mode::About);

    Mode mode() const { return m_mode; }
    // The splash's line below the version ("Einen Moment  ...").
    void SetStatus(const QString& text);
    // Closes the splash once `main` is shown and the splash has been up for
    // `minimumMs` in all; at once if that has already passed. A click closes
    // it earlier; closing `main` closes it too.
    void CloseWhenShown(QWidget* main, int minimumMs = 1000);

    QLabel* lblStatus = nullptr;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildAbout();
    void buildSplash();
    void tryClose();
    void addLink(const QString& objectName, const QString& href, const QString& text);

    Mode m_mode;
    QElapsedTimer m_shown;
    QPointer<QWidget> m_main;
    int m_minimumMs = 0;
};
