#pragma once

#include <QDialog>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class RecordGrid;
class RecordSet;

// The user administration window: add, change and delete the users who may log in. It works
// directly on the shared user list, so the user chosen at the login is current when it opens.
// Closing it neither saves nor cancels: a record left in edit state stays so in the list.
class TepassForm : public QDialog
{
    Q_OBJECT

public:
    // userqry: the shared user list, opened by the login window; not owned.
    explicit TepassForm(RecordSet *userqry, QWidget *parent = nullptr);

    RecordGrid *grid() const { return m_grid; }

    // Handlers of the command buttons.
    void BitBtn1Click(); // add
    void BitBtn2Click(); // edit
    void BitBtn3Click(); // save
    void BitBtn4Click(); // delete
    void BitBtn5Click(); // close

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    RecordSet *m_userqry;
    QLineEdit *m_uedit;
    QLineEdit *m_password;
    QLineEdit *m_zwedit;
    QComboBox *m_rights;
    RecordGrid *m_grid;
};
