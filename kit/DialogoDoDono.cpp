#include "kit/DialogoDoDono.h"

#include "kit/VerificadorPam.h"
#include "servicos/NoTrabalhador.h"
#include "servicos/Seguranca.h"

#include <QApplication>
#include <QCoro/QCoroSignal>
#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <functional>

namespace {

constexpr int espacamento = 12;
constexpr int larguraMinima = 340;
const QColor vermelhoDoErro(220, 38, 38);

bool dialogoAberto = false;

QPointer<QWindow> &janelaDeCima()
{
    static QPointer<QWindow> janela;
    return janela;
}

// Makes the prompt belong to the window it stands over, before it is shown (the window manager
// reads that when the prompt maps). Outside the coroutine for the same reason as below.
void prenderAJanelaDeCima(DialogoDoDono *dialogo)
{
    QWindow *dona = janelaDeCima();
    if (!dona)
        return;
    dialogo->winId();
    dialogo->windowHandle()->setTransientParent(dona);
    // A direct request asks before its sheet is shown: the prompt goes back on top when it is.
    QObject::connect(dona, &QWindow::visibleChanged, dialogo, [dialogo](bool visivel) {
        if (visivel && dialogo->isVisible()) {
            dialogo->raise();
            dialogo->activateWindow();
        }
    }, Qt::QueuedConnection);
}

// Built outside any coroutine: GCC 12 mishandles lambda captures inside coroutine bodies.
std::function<bool()> checagem(std::shared_ptr<VerificadorDeSenha> verificador, QString usuario,
                               std::shared_ptr<SenhaTemporaria> senha)
{
    return [verificador = std::move(verificador), usuario = std::move(usuario), senha = std::move(senha)] {
        return verificador->verificar(usuario, *senha);
    };
}

// The window of ours the prompt answers for: the one in front, else the first one shown.
QWindow *janelaDaPergunta()
{
    if (QWindow *frente = QGuiApplication::focusWindow())
        return frente;
    for (QWindow *janela : QGuiApplication::topLevelWindows()) {
        if (janela->isVisible() && janela->type() == Qt::Window)
            return janela;
    }
    return nullptr;
}

} // namespace

void DialogoDoDono::centrarSobre(QWindow *janela)
{
    if (!janela)
        return;
    adjustSize();
    winId(); // creates the native window, so it can be made the window's transient
    windowHandle()->setTransientParent(janela);
    QRect lugar(QPoint(), frameGeometry().size());
    lugar.moveCenter(janela->frameGeometry().center());
    if (const QScreen *tela = janela->screen()) {
        const QRect area = tela->availableGeometry();
        lugar.moveLeft(std::clamp(lugar.left(), area.left(), std::max(area.left(), area.right() - lugar.width())));
        lugar.moveTop(std::clamp(lugar.top(), area.top(), std::max(area.top(), area.bottom() - lugar.height())));
    }
    move(lugar.topLeft());
}

DialogoDoDono::DialogoDoDono(const QString &motivo, QString usuario, std::shared_ptr<VerificadorDeSenha> verificador,
                             QWidget *parent)
    : QDialog(parent), usuario_(std::move(usuario)), verificador_(std::move(verificador))
{
    setWindowTitle(QStringLiteral("Corvane"));
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(larguraMinima);

    auto *titulo = new QLabel(motivo, this);
    QFont fonte = titulo->font();
    fonte.setBold(true);
    titulo->setFont(fonte);
    titulo->setWordWrap(true);

    auto *explicacao = new QLabel(
        QStringLiteral("Digite a senha de %1 neste computador para continuar.").arg(usuario_), this);
    explicacao->setWordWrap(true);

    campo_ = new QLineEdit(this);
    campo_->setEchoMode(QLineEdit::Password);
    campo_->setPlaceholderText(QStringLiteral("Senha"));
    campo_->setAttribute(Qt::WA_InputMethodEnabled, false);

    erro_ = new QLabel(this);
    erro_->setWordWrap(true);
    QPalette paleta = erro_->palette();
    paleta.setColor(QPalette::WindowText, vermelhoDoErro);
    erro_->setPalette(paleta);
    erro_->hide();

    cancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
    confirmar_ = new QPushButton(QStringLiteral("Confirmar"), this);
    // "Confirmar" is the one default button: Return never falls to "Cancelar" when the focus
    // passes over it.
    cancelar_->setAutoDefault(false);
    confirmar_->setAutoDefault(false);
    confirmar_->setDefault(true);

    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(cancelar_);
    botoes->addWidget(confirmar_);

    auto *layout = new QVBoxLayout(this);
    // A fixed size: tiling compositors float it as the dialog it is.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setSpacing(espacamento);
    layout->addWidget(titulo);
    layout->addWidget(explicacao);
    layout->addWidget(campo_);
    layout->addWidget(erro_);
    layout->addLayout(botoes);

    connect(confirmar_, &QPushButton::clicked, this, &DialogoDoDono::confirmarSenha);
    connect(campo_, &QLineEdit::returnPressed, this, &DialogoDoDono::confirmarSenha);
    connect(cancelar_, &QPushButton::clicked, this, &QDialog::reject);
    campo_->setFocus();
}

void DialogoDoDono::mostrarOcupado(bool ocupado)
{
    verificando_ = ocupado;
    // Read-only rather than disabled, so the field keeps the focus (and the caret) while the
    // check runs; a disabled "Confirmar" stays the default and swallows another Return.
    campo_->setReadOnly(ocupado);
    confirmar_->setEnabled(!ocupado);
    confirmar_->setText(ocupado ? QStringLiteral("Verificando…") : QStringLiteral("Confirmar"));
}

void DialogoDoDono::confirmarSenha()
{
    if (verificando_)
        return;
    QString texto = campo_->text();
    campo_->clear(); // drops the field's copy before ours is wiped
    auto senha = std::make_shared<SenhaTemporaria>(texto);
    erro_->hide();
    mostrarOcupado(true);
    (void)verificar(QPointer<DialogoDoDono>(this), verificador_, usuario_, std::move(senha));
}

QCoro::Task<> DialogoDoDono::verificar(QPointer<DialogoDoDono> dialogo, std::shared_ptr<VerificadorDeSenha> verificador,
                                       QString usuario, std::shared_ptr<SenhaTemporaria> senha)
{
    auto trabalho = noTrabalhador(checagem(std::move(verificador), std::move(usuario), senha));
    const bool confere = co_await trabalho;
    // Wiped as soon as the check is over, whatever happens to the dialog.
    senha->apagar();
    if (!dialogo)
        co_return;
    dialogo->mostrarOcupado(false);
    if (confere) {
        dialogo->accept();
        co_return;
    }
    dialogo->erro_->setText(QStringLiteral("Senha incorreta. Tente de novo."));
    dialogo->erro_->show();
    dialogo->adjustSize();
    dialogo->campo_->setFocus(Qt::OtherFocusReason);
    emit dialogo->senhaRecusada();
}

QCoro::Task<bool> DialogoDoDono::perguntar(QString motivo, std::shared_ptr<VerificadorDeSenha> verificador)
{
    if (dialogoAberto || !verificador)
        co_return false;
    const QString usuario = usuarioAtual();
    if (usuario.isEmpty())
        co_return false;
    dialogoAberto = true;
    // Owned here, not by a window that could be destroyed while we wait for the answer.
    auto dialogo = std::make_unique<DialogoDoDono>(motivo, usuario, std::move(verificador));
    prenderAJanelaDeCima(dialogo.get());
    QWindow *dona = janelaDeCima();
    dialogo->centrarSobre(dona ? dona : janelaDaPergunta());
    dialogo->show();
    dialogo->raise();
    dialogo->activateWindow();
    auto fim = qCoro(dialogo.get(), &QDialog::finished);
    const int resultado = co_await std::move(fim);
    dialogoAberto = false;
    co_return resultado == QDialog::Accepted;
}

void DialogoDoDono::ficarSobre(QWindow *janela)
{
    janelaDeCima() = janela;
}

void DialogoDoDono::registrar()
{
    registrar(std::make_shared<VerificadorPam>());
}

void DialogoDoDono::registrar(std::shared_ptr<VerificadorDeSenha> verificador)
{
    Seguranca::registrarAutenticador(
        [verificador](QString motivo) { return perguntar(std::move(motivo), verificador); },
        [verificador] { return verificador->disponivel(); });
}
