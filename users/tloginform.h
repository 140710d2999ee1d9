#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class RecordSet;

// The login window shown before the main window: the user picks a user ID from the user list
// and types its password. It closes accepted after a successful login and rejected when the
// user chooses to leave the program; nothing else closes it (no close button, Esc and Enter do
// nothing).
class TloginForm : public QDialog
{
    Q_OBJECT

public:
    // userqry: the shared user list ("select * from usertable"); not owned. The window opens it
    // when it becomes active and leaves the chosen user as its current record.
    explicit TloginForm(RecordSet *userqry, QWidget *parent = nullptr);

    // Shows the window modally; true after a successful login, false when the user left.
    bool run();

    // Handlers.
    void FormActivate();
    void BitBtn1Click();
    void BitBtn2Click();

    // The typed and the stored password match: blanks and control characters around either are
    // ignored, letter case counts; a stored null matches only an empty entry.
    static bool passwordMatches(const QVariant &stored, const QString &typed);
    // The text without leading and trailing characters up to U+0020 (blanks and control
    // characters); other white space such as the ideographic blank stays.
    static QString trimBlanks(const QString &text);

public Q_SLOTS:
    // Esc and the window manager's close request do not leave the login.
    void reject() override;

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fillUserIds();
    void userChosen(int index);

    RecordSet *m_userqry;
    QLabel *m_panel;
    QComboBox *m_uid;
    QLineEdit *m_upass;
    QPushButton *m_login;
    QPushButton *m_leave;
    QStatusBar *m_statusBar;
    bool m_filling = false;
    bool m_openFailureShown = false;
};
