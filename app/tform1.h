#pragma once

#include <QMainWindow>
#include <QString>

#include <memory>

class ChequePage;
class PrinterDevice;
class TemplateMenus;
class TepassForm;
class TloginForm;
class DepositSlipPage;
class Queries;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QPushButton;

// The main window: tool bar, the settings panel shared by both documents, and the page control
// with the deposit-slip and cheque pages. It owns every data object.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    // Opens the database in folder (the program folder, ending in a separator). A database that
    // cannot be opened is reported and the window works on without a connection.
    explicit TForm1(const QString &folder, QWidget *parent = nullptr);
    ~TForm1() override;

    const QString &folder() const { return m_folder; }
    Queries *queries() const { return m_queries; }
    DepositSlipPage *slipPage() const { return m_slipPage; }
    ChequePage *chequePage() const { return m_chequePage; }
    TloginForm *loginForm() const { return m_login; }
    TepassForm *epassForm() const { return m_epass; }
    TemplateMenus *templateMenus() const { return m_templates; }
    bool isConnected() const { return m_connected; }

    // Login, date pickers, first page, document name. False when the user left at the login.
    bool FormShow();
    // At every activation: opens the lists that are not open, resets the slip date picker.
    void FormActivate();
    void jzdShow();
    void zpShow();
    void BitBtn12Click();
    void BitBtn11Click();
    void yhClick();
    void hlpClick();
    void tcClick();
    void knameChange();
    void hxChange();
    void zxChange();
    void WriteCalibrationFile();
    void LoadDepositSlipLayout();
    void LoadChequeLayout();
    void SaveDocumentSettings();
    void SaveLayout();

    // The printer the print command uses; the system's default printer unless replaced.
    void setPrinterDevice(std::unique_ptr<PrinterDevice> device);
    PrinterDevice *printerDevice() const { return m_printer.get(); }

    // The current document name.
    QString documentName() const;

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildToolBar();
    void buildSettingsPanel(QWidget *panel);
    void setDocumentName(const QString &name);
    QWidget *documentPanel() const;

    QString m_folder;
    bool m_connected = false;
    Queries *m_queries = nullptr;
    QTabWidget *m_pgc = nullptr;
    DepositSlipPage *m_slipPage = nullptr;
    ChequePage *m_chequePage = nullptr;
    QLineEdit *m_kname = nullptr;
    QLineEdit *m_hx = nullptr;
    QLineEdit *m_zx = nullptr;
    QLineEdit *m_zjj = nullptr;
    QCheckBox *m_dycg = nullptr;
    QRadioButton *m_hxd = nullptr;
    QRadioButton *m_zxd = nullptr;
    QPushButton *m_add = nullptr;
    QPushButton *m_print = nullptr;
    std::unique_ptr<PrinterDevice> m_printer;
    TloginForm *m_login = nullptr;
    TepassForm *m_epass = nullptr;
    TemplateMenus *m_templates = nullptr;
};

// The application title shown on the task bar.
inline const QString kApplicationTitle = QStringLiteral("青禾进账单支票打印V3.8专业版");
