// The owner check of the application: a small password dialog of our own window system, so
// the prompt never takes focus away from the application (which would trip the automatic
// lock). The typed password is checked off the main thread and wiped right after.
#pragma once

#include "kit/VerificadorDeSenha.h"

#include <QCoro/QCoroTask>
#include <QDialog>
#include <QString>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QWindow;

class DialogoDoDono : public QDialog {
    Q_OBJECT

public:
    DialogoDoDono(const QString &motivo, QString usuario, std::shared_ptr<VerificadorDeSenha> verificador,
                  QWidget *parent = nullptr);

    // Shows the dialog with `motivo` and answers whether the owner's password was given. Only
    // one prompt at a time: a request while one is open is refused (false) without a second.
    [[nodiscard]] static QCoro::Task<bool> perguntar(QString motivo, std::shared_ptr<VerificadorDeSenha> verificador);

    // The window every later prompt belongs to (transient for it, so the window manager keeps
    // the prompt above it) and is raised over again when that window appears after the prompt.
    // nullptr: none. The window is held weakly.
    static void ficarSobre(QWindow *janela);

    // Makes the PAM check of the current user the process's owner authentication.
    static void registrar();
    // The same with another check (tests).
    static void registrar(std::shared_ptr<VerificadorDeSenha> verificador);

    // For tests: the widgets a person would use.
    [[nodiscard]] QLineEdit *campoDaSenha() const { return campo_; }
    [[nodiscard]] QPushButton *botaoConfirmar() const { return confirmar_; }
    [[nodiscard]] QPushButton *botaoCancelar() const { return cancelar_; }
    [[nodiscard]] QLabel *mensagemDeErro() const { return erro_; }
    [[nodiscard]] bool verificando() const { return verificando_; }

    // Makes the prompt a transient of `janela` and centres it there, inside the screen's
    // available area.
    void centrarSobre(QWindow *janela);

signals:
    // After each check that did not confirm (the dialog stays open for another try).
    void senhaRecusada();

private:
    void confirmarSenha();
    void mostrarOcupado(bool ocupado);
    static QCoro::Task<> verificar(QPointer<DialogoDoDono> dialogo, std::shared_ptr<VerificadorDeSenha> verificador,
                                   QString usuario, std::shared_ptr<SenhaTemporaria> senha);

    QString usuario_;
    std::shared_ptr<VerificadorDeSenha> verificador_;
    QLineEdit *campo_ = nullptr;
    QPushButton *confirmar_ = nullptr;
    QPushButton *cancelar_ = nullptr;
    QLabel *erro_ = nullptr;
    bool verificando_ = false;
};
