#include "EntradaNaTela.h"

#include "kit/MovimentoReduzido.h"
#include "servicos/Seguranca.h"
#include "state/EntradaPeloSafari.h"
#include "support/ContaNoServidor.h"
#include "support/Executar.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <QTimer>

void EntradaNaTela::SetUp()
{
    // The owner check says yes; no protection offer waits for anyone.
    Seguranca::registrarAutenticador([](QString) -> QCoro::Task<bool> { co_return true; }, [] { return false; });
    EntradaPeloSafari::compartilhada().definirAbridor([this](const QUrl &url) { abertos.append(url); });
    TelaComServidor::SetUp();
    criarEstado(ambienteDeTeste());
    Testes::executar(estado->comecar());
}

void EntradaNaTela::soltar()
{
    EntradaPeloSafari &safari = EntradaPeloSafari::compartilhada();
    safari.cancelar();
    QCoreApplication::processEvents();
    safari.definirRetornoAvulso(std::nullopt);
    safari.definirAbridor([](const QUrl &) {});
    MovimentoReduzido::instancia().definir(false);
}

QQuickItem *EntradaNaTela::mostrarEntrada(QSize tamanho, bool abertura)
{
    MovimentoReduzido::instancia().definir(!abertura);
    QQuickItem *raiz = mostrar(importacoesDaConta + QStringLiteral("EntradaNoMac { anchors.fill: parent; estado: estadoDeTeste }"),
                               tamanho);
    if (!abertura)
        assentar(1000); // the panel's entrance
    return raiz;
}

QByteArray EntradaNaTela::semearConta(const QString &email, const QString &senha)
{
    const Testes::ContaComChaves conta = Testes::novaContaComChaves(email, senha);
    servidor.estado().criarConta(conta.dados);
    return conta.chave;
}

bool EntradaNaTela::esperarAte(const std::function<bool()> &condicao, int limiteMs)
{
    QElapsedTimer relogioReal;
    relogioReal.start();
    while (!condicao()) {
        if (relogioReal.elapsed() > limiteMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        avancar(16);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(1);
    }
    return true;
}

void EntradaNaTela::assentar(int ms)
{
    avancar(ms);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void EntradaNaTela::clicar(const QString &nome)
{
    auto *item = achar<QQuickItem>(nome);
    ASSERT_TRUE(item) << nome.toStdString();
    QTest::mouseClick(janela(), Qt::LeftButton, {}, centro(item));
    QCoreApplication::processEvents();
}

void EntradaNaTela::preencher(const QString &campo, const QString &texto)
{
    QObject *objeto = acharObjeto(campo);
    ASSERT_TRUE(objeto) << campo.toStdString();
    auto *entrada = objeto->findChild<QQuickItem *>(QStringLiteral("entrada"));
    ASSERT_TRUE(entrada);
    entrada->forceActiveFocus();
    entrada->setProperty("text", texto);
    QCoreApplication::processEvents();
}

QObject *EntradaNaTela::telaAtual()
{
    QObject *troca = raiz()->findChild<QObject *>(QStringLiteral("painelDaConta"));
    if (!troca)
        return nullptr;
    QObject *quadro = nullptr;
    // The frame on display is the newest one that is not leaving.
    for (QObject *filho : raiz()->findChildren<QObject *>(QStringLiteral("quadroDaTela")))
        quadro = filho;
    return quadro ? quadro->property("tela").value<QObject *>() : nullptr;
}

bool EntradaNaTela::existe(const QString &nome)
{
    return raiz() && raiz()->findChild<QObject *>(nome) != nullptr;
}

QString EntradaNaTela::chave()
{
    QObject *navegacao = acharObjeto(QStringLiteral("navegacaoDaConta"));
    return navegacao ? navegacao->property("chave").toString() : QString();
}

PaginaDoSite EntradaNaTela::obter(const QUrl &endereco)
{
    QNetworkAccessManager rede;
    QNetworkRequest pedido(endereco);
    pedido.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply *resposta = rede.get(pedido);
    QEventLoop laco;
    QObject::connect(resposta, &QNetworkReply::finished, &laco, &QEventLoop::quit);
    QTimer::singleShot(10000, &laco, &QEventLoop::quit);
    laco.exec();
    PaginaDoSite pagina;
    pagina.status = resposta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    pagina.corpo = resposta->readAll();
    pagina.local = QUrl::fromEncoded(resposta->rawHeader("Location"));
    delete resposta;
    return pagina;
}

QUrl EntradaNaTela::link(const PaginaDoSite &pagina, const QUrl &endereco, const QString &trecho)
{
    static const QRegularExpression alvo(QStringLiteral(R"re((?:href|action)="([^"]*)")re"));
    for (auto i = alvo.globalMatch(QString::fromUtf8(pagina.corpo)); i.hasNext();) {
        const QString valor = i.next().captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        if (valor.contains(trecho))
            return endereco.resolved(QUrl::fromEncoded(valor.toUtf8()));
    }
    return {};
}

QUrl EntradaNaTela::retornoDaPagina(const QString &email)
{
    if (abertos.isEmpty())
        return {};
    const QUrl endereco = abertos.last();
    const PaginaDoSite pagina = obter(endereco);
    EXPECT_EQ(pagina.status, 200) << pagina.corpo.toStdString();
    QUrl seguir;
    if (endereco.path() == QLatin1String("/entrar/mac")) {
        seguir = link(pagina, endereco, QStringLiteral("/entrar/mac/continuar"));
    } else {
        // The form: its action, with the e-mail and a name filled in.
        seguir = link(pagina, endereco, QStringLiteral("continuar"));
        QUrlQuery consulta;
        consulta.addQueryItem(QStringLiteral("email"), email);
        consulta.addQueryItem(QStringLiteral("nome"), QStringLiteral("Ana Souza"));
        seguir.setQuery(consulta);
    }
    EXPECT_TRUE(seguir.isValid() && !seguir.isEmpty()) << pagina.corpo.toStdString();
    const PaginaDoSite volta = obter(seguir);
    EXPECT_EQ(volta.status, 303) << volta.corpo.toStdString();
    return volta.local;
}
