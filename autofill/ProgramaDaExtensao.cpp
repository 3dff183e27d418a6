#include "autofill/ProgramaDaExtensao.h"

#include "autofill/protocolo/ProtocoloDoAnfitriao.h"
#include "kit/Aparencia.h"
#include "kit/DialogoDoDono.h"
#include "kit/TraducoesDoQt.h"

#include <QApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickWindow>

#include <cerrno>
#include <csignal>
#include <unistd.h>

void EscritorDoPipe::escrever(const QByteArray &linha)
{
    if (respondeu_)
        return;
    respondeu_ = true;
    qsizetype escritos = 0;
    while (escritos < linha.size()) {
        const ssize_t n = ::write(descritor_, linha.constData() + escritos, size_t(linha.size() - escritos));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // the host is gone; there is nobody left to tell
        escritos += n;
    }
    emit respondido();
}

void EscritorDoPipe::completarComSenha(const QString &usuario, const QString &senha)
{
    escrever(RespostaDaExtensao::deSenha(usuario, senha).linha());
}

void EscritorDoPipe::completarComCodigo(const QString &codigo)
{
    escrever(RespostaDaExtensao::deCodigo(codigo).linha());
}

void EscritorDoPipe::cancelar(int codigo)
{
    escrever(RespostaDaExtensao::cancelada(codigo).linha());
}

void EscritorDoPipe::concluirConfiguracao()
{
    escrever(RespostaDaExtensao::configuracaoConcluida().linha());
}

std::optional<QByteArray> lerLinhaDoDescritor(int descritor)
{
    QByteArray linha;
    char c = 0;
    while (true) {
        const ssize_t n = ::read(descritor, &c, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        if (c == '\n')
            return linha;
        linha.append(c);
        if (linha.size() > tamanhoMaximoDaLinha)
            return linha; // too long for any request: refused as one, not taken for the host leaving
    }
}

SessaoDaExtensao::SessaoDaExtensao(int entrada, int saida, QObject *pai)
    : QObject(pai), entrada_(entrada), escritor_(saida), vigia_(entrada, QSocketNotifier::Read)
{
    connect(&vigia_, &QSocketNotifier::activated, this, &SessaoDaExtensao::lerEntrada);
    connect(&escritor_, &EscritorDoPipe::respondido, this, [this] {
        if (!terminada_) {
            terminada_ = true;
            emit terminou(SaidaDaExtensao::respondeu);
        }
    }, Qt::QueuedConnection);
    controlador_ = std::make_unique<CredentialProviderViewController>(escritor_);
    controlador_->carregarVista();
}

SessaoDaExtensao::~SessaoDaExtensao()
{
    // Tearing the window down is not the user's cancel.
    if (janela_)
        disconnect(janela_, nullptr, this, nullptr);
    escritor_.silenciar();
    delete janela_;
    motor_.reset();
}

bool SessaoDaExtensao::iniciar(const PedidoDoAnfitriao &pedido)
{
    motor_ = std::make_unique<QQmlEngine>();
    motor_->addImportPath(QStringLiteral("qrc:/"));
    QQmlComponent componente(motor_.get());
    componente.setData("import Corvane.Preenchimento\nJanelaDoPreenchimento {}\n", QUrl());
    if (!componente.isReady()) {
        // (Creating from a component that is not ready crashes in Qt 6.4.)
        qWarning().noquote() << componente.errorString();
        return false;
    }
    QObject *objeto = componente.createWithInitialProperties(
        {{QStringLiteral("modelo"), QVariant::fromValue(&controlador_->modelo())}});
    janela_ = qobject_cast<QQuickWindow *>(objeto);
    if (!janela_) {
        qWarning().noquote() << componente.errorString();
        delete objeto;
        return false;
    }
    // Closing the sheet is the user's cancel.
    connect(janela_, &QQuickWindow::visibleChanged, this, [this](bool visivel) {
        if (!visivel)
            escritor_.cancelar(RespostaDaExtensao::usuarioCancelou);
    });
    // The owner prompt of a direct request opens before the sheet: it belongs to the sheet.
    DialogoDoDono::ficarSobre(janela_);
    controlador_->atender(pedido);
    if (!escritor_.respondeu())
        janela_->show();
    return true;
}

void SessaoDaExtensao::lerEntrada()
{
    char lixo[256];
    const ssize_t n = ::read(entrada_, lixo, sizeof lixo);
    if (n > 0 || (n < 0 && (errno == EINTR || errno == EAGAIN)))
        return; // nothing else is expected on the input; ignored
    // End of input: nobody waits for the answer any more.
    vigia_.setEnabled(false);
    escritor_.silenciar();
    if (!terminada_) {
        terminada_ = true;
        emit terminou(SaidaDaExtensao::anfitriaoSumiu);
    }
}

int executarExtensao(int argc, char **argv, const std::function<void()> &registrarDono)
{
    // A host that went away must not kill us on the answer's write.
    std::signal(SIGPIPE, SIG_IGN);
    const auto linha = lerLinhaDoDescritor(STDIN_FILENO);
    if (!linha)
        return SaidaDaExtensao::anfitriaoSumiu;
    const auto pedido = PedidoDoAnfitriao::ler(*linha);
    if (!pedido)
        return SaidaDaExtensao::pedidoInvalido;

    if (pedido->tipo == PedidoDoAnfitriao::Tipo::fornecerSemInteracao) {
        // Refused before anything else exists: no window, no vault read.
        EscritorDoPipe escritor(STDOUT_FILENO);
        CredentialProviderViewController controlador(escritor);
        controlador.fornecerSemInteracao(pedido->identidade);
        return SaidaDaExtensao::respondeu;
    }

    QApplication aplicacao(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane-preenchimento"));
    QApplication::setApplicationDisplayName(QStringLiteral("Corvane"));
    QApplication::setQuitOnLastWindowClosed(false);
    TraducoesDoQt::carregar();
    registrarDono();
    Aparencia::preparar();

    int saida = SaidaDaExtensao::pedidoInvalido;
    SessaoDaExtensao sessao(STDIN_FILENO, STDOUT_FILENO);
    QObject::connect(&sessao, &SessaoDaExtensao::terminou, &aplicacao, [&saida](int codigo) {
        saida = codigo;
        QCoreApplication::exit(0);
    });
    if (!sessao.iniciar(*pedido))
        return SaidaDaExtensao::pedidoInvalido;
    QApplication::exec();
    return saida;
}
