#include "SincroniaNaTela.h"

#include "state/EntradaPeloSafari.h"
#include "support/ContaNoServidor.h"

#include <QQmlComponent>
#include <QQmlContext>

// The state's own hooks for screen tests (a friend of EstadoDoApp).
class EstadoDoAppNasTelas {
public:
    static void conta(EstadoDoApp &estado, const ContaOpcional &conta) { estado.definirConta(conta); }
};

void SincroniaNaTela::SetUp()
{
    CofreNaTela::SetUp();
    // The same e-mail, now with keys made from a real password.
    servidor.estado() = Servidor::EstadoDoServidor();
    const Testes::ContaComChaves conta = Testes::novaContaComChaves(email, senhaDaConta);
    servidor.estado().criarConta(conta.dados);
    chave = conta.chave;
}

void SincroniaNaTela::TearDown()
{
    EntradaPeloSafari::compartilhada().cancelar();
    EntradaPeloSafari::compartilhada().definirAbridor([](const QUrl &) {});
    CofreNaTela::TearDown();
}

QQuickItem *SincroniaNaTela::abrirComSincronia(QSize tamanho)
{
    QQuickItem *raiz = abrir(tamanho);
    engine().rootContext()->setContextProperty(QStringLiteral("cofreDeTeste"), raiz);
    const auto componente = [&](const QString &corpo) {
        auto *c = new QQmlComponent(&engine(), raiz);
        c->setData((importacoes + QStringLiteral("import Corvane.Cofre\n") + corpo).toUtf8(), QUrl());
        EXPECT_TRUE(c->isReady()) << c->errorString().toStdString();
        return QVariant::fromValue(c);
    };
    raiz->setProperty("situacaoDaSincronia",
                      componente(QStringLiteral("SituacaoDaSincroniaNoMac { estado: estadoDeTeste; "
                                                "onEntrarDeNovo: cofreDeTeste.vista.entrandoDeNovo = true }")));
    raiz->setProperty("faixaDoCofre", componente(QStringLiteral("FaixaDoCofreNoMac {}")));
    raiz->setProperty("folhaDeEntrarDeNovo", componente(QStringLiteral("EntrarDeNovoNoMac {}")));
    QCoreApplication::processEvents();
    avancar(600);
    return raiz;
}

void SincroniaNaTela::esperarOciosoELimpar()
{
    EXPECT_TRUE(esperarAte([this] { return !cofre().sincronizando(); }));
    QCoreApplication::processEvents();
    servidor.limparPedidos();
}

void SincroniaNaTela::irParaDepoisDaSincronia(qint64 segundos)
{
    ASSERT_TRUE(cofre().ultimaSincronia());
    irPara(cofre().ultimaSincronia()->toSecsSinceEpoch() + segundos);
}

void SincroniaNaTela::pedirFolha(bool aberta)
{
    raiz()->property("vista").value<QObject *>()->setProperty("entrandoDeNovo", aberta);
    QCoreApplication::processEvents();
    avancar(400);
}

bool SincroniaNaTela::folhaAberta()
{
    return raiz()->property("vista").value<QObject *>()->property("entrandoDeNovo").toBool();
}

void SincroniaNaTela::preencher(const QString &campo, const QString &texto)
{
    auto *entrada = item(campo)->findChild<QQuickItem *>(QStringLiteral("entrada"));
    ASSERT_NE(entrada, nullptr);
    entrada->setProperty("text", texto);
    QCoreApplication::processEvents();
}

QString SincroniaNaTela::textoDoCampo(const QString &campo)
{
    auto *entrada = item(campo)->findChild<QQuickItem *>(QStringLiteral("entrada"));
    return entrada ? entrada->property("text").toString() : QString();
}

bool SincroniaNaTela::visivel(const QString &nome)
{
    QQuickItem *alvo = item(nome);
    return alvo && alvo->isVisible();
}

void SincroniaNaTela::somentePasskey()
{
    ContaOpcional conta = estado->conta();
    ASSERT_TRUE(conta);
    conta->temSenha = false;
    EstadoDoAppNasTelas::conta(*estado, conta);
}
