// The tray panel against the development server: the face of each phase, the unlock button, the
// search and its rule, the codes on the screens' clock, the one-click copy and its toast, a row
// without a code, the update row and the footer's actions.
#include "BarraNaTela.h"

#include "core/Totp.h"
#include "kit/Tipo.h"
#include "screens/comum/AreaDeTransferencia.h"
#include "screens/vault/CodigosDaGrade.h"
#include "servicos/Preferencias.h"
#include "support/Executar.h"
#include "support/quick/Recortes.h"

#include <QClipboard>
#include <QFont>
#include <QGuiApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString segredo = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ");

class Barra : public BarraNaTela {
protected:
    QString codigoEm(qint64 segundos, int periodo = 30)
    {
        return GeradorDeCodigos({segredo, AlgoritmoTotp::sha1, 6, periodo})
            .codigo(QDateTime::fromSecsSinceEpoch(segundos, Qt::UTC));
    }
    // The ids the panel lists, in order.
    QStringList listados()
    {
        QObject *lista = acharObjeto(QStringLiteral("listaDaBarra"));
        auto *modelo = lista ? qobject_cast<CodigosDaGrade *>(lista->property("model").value<QObject *>()) : nullptr;
        return modelo ? modelo->ids() : QStringList{QStringLiteral("<sem lista>")};
    }
    QQuickItem *linha(const QString &id) { return item(QStringLiteral("linha-") + id); }
    QString textoEm(QQuickItem *pai, const char *nome)
    {
        auto *filho = pai->findChild<QQuickItem *>(QString::fromLatin1(nome));
        return filho ? filho->property("text").toString() : QStringLiteral("<ausente>");
    }
    void buscar(const QString &texto)
    {
        item(QStringLiteral("buscaDaBarra"))->forceActiveFocus();
        digitar(texto);
        QCoreApplication::processEvents();
    }
    bool visivel(const char *nome) { return item(QString::fromLatin1(nome))->isVisible(); }
};

TEST_F(Barra, SemContaMostraOConviteEEntrarAbreAJanela)
{
    semConta();
    QQuickItem *barra = mostrarBarra();
    ASSERT_TRUE(barra);
    EXPECT_TRUE(visivel("faceSemConta"));
    EXPECT_FALSE(visivel("faceBloqueada"));
    EXPECT_FALSE(visivel("faceAberta"));
    EXPECT_FALSE(visivel("bloquearNaBarra"));
    EXPECT_FALSE(visivel("baixarNaBarra"));
    capturar(QStringLiteral("barra-sem-conta"));

    QSignalSpy abrir(barra, SIGNAL(abrirJanelaPedida()));
    clicar(item(QStringLiteral("entrarNaBarra")));
    EXPECT_EQ(abrir.count(), 1);
}

TEST_F(Barra, BloqueadaDesbloqueiaComADonoEMostraOsCodigos)
{
    semear(codigo(QStringLiteral("GitHub"), QStringLiteral("bia@exemplo.com")));
    entrar(true);
    servidor.site().definirVersaoPublicada(QStringLiteral("9.9.9"));
    Testes::executar(atualizacao->procurar());
    ASSERT_TRUE(mostrarBarra());
    EXPECT_TRUE(visivel("faceBloqueada"));
    EXPECT_FALSE(visivel("bloquearNaBarra"));
    EXPECT_EQ(texto(QStringLiteral("desbloquearNaBarra")), QStringLiteral("Desbloquear com senha do computador"));
    EXPECT_EQ(item(QStringLiteral("desbloquearNaBarra"))->property("simbolo").toString(), QStringLiteral("lock"));
    EXPECT_TRUE(visivel("baixarNaBarra"));
    EXPECT_EQ(texto(QStringLiteral("textoDoDownloadNaBarra")), QStringLiteral("Baixar a versão 9.9.9"));
    ajustarAltura();
    capturar(QStringLiteral("barra-bloqueada-com-atualizacao"));

    // A refused prompt leaves the panel locked, without a message of its own.
    donoConfirma = false;
    clicar(item(QStringLiteral("desbloquearNaBarra")));
    EXPECT_TRUE(esperarAte([this] { return !motivos.isEmpty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::bloqueado);
    EXPECT_TRUE(visivel("faceBloqueada"));

    donoConfirma = true;
    clicar(item(QStringLiteral("desbloquearNaBarra")));
    EXPECT_TRUE(esperarAte([this] { return estado->fase() == EstadoDoApp::Fase::aberto; }));
    EXPECT_TRUE(esperarAte([this] { return visivel("faceAberta") && listados().size() == 1; }));
    // Protection is on: the header's lock locks again.
    EXPECT_TRUE(visivel("bloquearNaBarra"));
    EXPECT_TRUE(item(QStringLiteral("bloquearNaBarra"))->isEnabled());
    clicar(item(QStringLiteral("bloquearNaBarra")));
    EXPECT_EQ(estado->fase(), EstadoDoApp::Fase::bloqueado);

    // The update row opens the download page.
    clicar(item(QStringLiteral("baixarNaBarra")));
    ASSERT_EQ(abertos.size(), 1);
}

TEST_F(Barra, CadeadoInerteSemProtecao)
{
    entrar(false);
    ASSERT_TRUE(mostrarBarra());
    EXPECT_TRUE(visivel("faceAberta"));
    EXPECT_TRUE(visivel("bloquearNaBarra"));
    EXPECT_FALSE(item(QStringLiteral("bloquearNaBarra"))->isEnabled());
    // An empty vault says so, even with a search typed.
    EXPECT_TRUE(visivel("nenhumCodigo"));
    EXPECT_EQ(texto(QStringLiteral("nenhumCodigo")), QStringLiteral("Nenhum código ainda."));
    buscar(QStringLiteral("git"));
    EXPECT_TRUE(visivel("nenhumCodigo"));
    EXPECT_FALSE(visivel("listaDaBarra"));
}

TEST_F(Barra, BuscaNaOrdemDoUsuarioPorEmissorContaOuTitulo)
{
    const QString github = semear(codigo(QStringLiteral("GitHub"), QStringLiteral("bia@exemplo.com")));
    const QString google = semear(codigo(QStringLiteral("Google"), QStringLiteral("ana@gmail.com")));
    ObjetoJSON semNome = codigo(QString(), QString());
    semNome.definir(QStringLiteral("emissor"), std::nullopt);
    semNome.definir(QStringLiteral("conta"), std::nullopt);
    const QString anonimo = semear(semNome);
    entrar();
    ASSERT_TRUE(mostrarBarra());
    const QStringList todos = listados();
    ASSERT_EQ(todos.size(), 3);
    EXPECT_EQ(textoEm(linha(anonimo), "tituloDaLinha"), QStringLiteral("Sem nome"));

    struct Caso {
        const char *busca;
        QStringList esperados;
    };
    const Caso casos[] = {
        {"   ", todos},                 // only spaces: everything
        {"  GIT ", {github}},           // trimmed, any letter case, by issuer
        {"gmail", {google}},            // by account
        {"sem n", {anonimo}},           // by the title a nameless code gets
        {"EXEMPLO", {github}},
        {"nada disso", {}},             // nothing, with no message
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.busca);
        raiz()->setProperty("busca", QString::fromUtf8(caso.busca));
        QCoreApplication::processEvents();
        QStringList esperados;
        for (const QString &id : todos) // the user's order
            if (caso.esperados.contains(id))
                esperados << id;
        EXPECT_EQ(listados(), esperados);
        EXPECT_FALSE(visivel("nenhumCodigo"));
    }

    // Typing into the field is the same search.
    raiz()->setProperty("busca", QString());
    buscar(QStringLiteral("goo"));
    EXPECT_EQ(listados(), QStringList{google});
    EXPECT_EQ(raiz()->property("busca").toString(), QStringLiteral("goo"));
}

TEST_F(Barra, CodigosNoRelogioECliqueCopiaOsDigitos)
{
    ObjetoJSON estranho = codigo(QStringLiteral("Banco"), QStringLiteral("conta-corrente"));
    estranho.definir(QStringLiteral("periodo"), ValorJSON::inteiro(0));
    estranho.definir(QStringLiteral("algoritmo"), ValorJSON::texto(QStringLiteral("MD5")));
    const QString banco = semear(estranho);
    const QString github = semear(codigo(QStringLiteral("GitHub"), QStringLiteral("bia@exemplo.com")));
    entrar();
    ASSERT_TRUE(mostrarBarra());
    const qint64 agora = agoraDaTela.toSecsSinceEpoch();
    QQuickItem *l = linha(github);
    ASSERT_TRUE(l);
    QString digitos = codigoEm(agora);
    EXPECT_EQ(textoEm(l, "codigoDaLinha"), digitos.left(3) + u' ' + digitos.mid(3));
    EXPECT_EQ(textoEm(l, "contaDaLinha"), QStringLiteral("bia@exemplo.com"));
    // The card's digits: the code keeps its width from one period to the next.
    auto *codigoDaLinha = l->findChild<QQuickItem *>(QStringLiteral("codigoDaLinha"));
    EXPECT_EQ(codigoDaLinha->property("font").value<QFont>().family(), Tipo::familiaDosDigitos());
    const double largura = codigoDaLinha->implicitWidth();
    // Period 0 counts as 1 second, an unknown algorithm as SHA-1.
    EXPECT_EQ(textoEm(linha(banco), "codigoDaLinha").remove(u' '), codigoEm(agora, 1));

    // The next period on the screens' clock rolls the code over.
    const qint64 proximo = (agora / 30 + 1) * 30;
    irPara(proximo);
    digitos = codigoEm(proximo);
    EXPECT_EQ(textoEm(l, "codigoDaLinha").remove(u' '), digitos);
    EXPECT_DOUBLE_EQ(codigoDaLinha->implicitWidth(), largura);

    QGuiApplication::clipboard()->setText(QStringLiteral("antes"));
    const qint64 copias = estado->avisos()->contadorDeCopias();
    clicar(l);
    const QMimeData *dados = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(dados);
    EXPECT_EQ(dados->text(), digitos); // no space
    EXPECT_EQ(dados->data(QString::fromLatin1(AreaDeTransferencia::tipoDaMarca)), QByteArray("secret"));
    EXPECT_EQ(estado->avisos()->contadorDeCopias(), copias + 1);
    ASSERT_TRUE(estado->avisos()->atual());
    EXPECT_EQ(estado->avisos()->atual()->texto, QStringLiteral("Copiado"));
    EXPECT_EQ(estado->avisos()->atual()->simbolo, QStringLiteral("checkmark.circle.fill"));
    avancar(400);
    EXPECT_TRUE(item(QStringLiteral("capsulaDoAviso"))->isVisible());
    QTest::mouseMove(janela(), QPoint(2, 2));
    avancar(100);
    capturar(QStringLiteral("barra-aberta-com-aviso"));
}

TEST_F(Barra, LinhaCabeNoSeuRecuoEAListaGuardaAMargemDeBaixo)
{
    semear(codigo(QStringLiteral("GitHub"), QStringLiteral("bia@exemplo.com")));
    const QString longo = semear(codigo(QStringLiteral("Um serviço com um nome comprido demais para a linha"),
                                        QStringLiteral("uma.conta.tambem.muito.comprida@exemplo.com.br")));
    entrar();
    ASSERT_TRUE(mostrarBarra());
    for (const QString &id : listados()) {
        QQuickItem *l = linha(id);
        ASSERT_TRUE(l);
        SCOPED_TRACE(id.toStdString());
        // Every part of the row lies inside its 8-point side padding; the ring ends on it.
        const double esquerda = 8, direita = l->width() - 8;
        QQuickItem *conteudo = l->property("contentItem").value<QQuickItem *>();
        ASSERT_TRUE(conteudo);
        for (QQuickItem *filho : conteudo->childItems()) {
            const QRectF caixa = filho->mapRectToItem(l, QRectF(0, 0, filho->width(), filho->height()));
            EXPECT_GE(caixa.left(), esquerda - 0.01);
            EXPECT_LE(caixa.right(), direita + 0.01);
            EXPECT_GE(caixa.top(), -0.01);
            EXPECT_LE(caixa.bottom(), l->height() + 0.01);
        }
        auto *anel = l->findChild<QQuickItem *>(QStringLiteral("anelDaLinha"));
        ASSERT_TRUE(anel);
        EXPECT_NEAR(anel->mapRectToItem(l, QRectF(0, 0, anel->width(), anel->height())).right(), direita, 0.01);
    }
    QQuickItem *titulo = linha(longo)->findChild<QQuickItem *>(QStringLiteral("tituloDaLinha"));
    EXPECT_TRUE(titulo->property("truncated").toBool()) << "a long title is cut with an ellipsis";

    // The list is as tall as its rows and the 6 points under the last one.
    auto *lista = item(QStringLiteral("listaDaBarra"));
    QQuickItem *ultima = linha(listados().last());
    const double fundoDaUltima = ultima->mapToItem(lista, QPointF(0, ultima->height())).y();
    EXPECT_NEAR(lista->height() - fundoDaUltima, 6, 0.01);
    QTest::mouseMove(janela(), centro(ultima));
    avancar(200);
    capturar(QStringLiteral("barra-linha-sob-o-ponteiro"));
}

TEST_F(Barra, LinhaSemCodigoNaoCopiaNemAvisa)
{
    const QString ruim = semear(codigo(QStringLiteral("Quebrado"), QStringLiteral("x"), QStringLiteral("!!!")));
    entrar();
    ASSERT_TRUE(mostrarBarra());
    QQuickItem *l = linha(ruim);
    ASSERT_TRUE(l);
    EXPECT_TRUE(l->isVisible());
    EXPECT_EQ(textoEm(l, "codigoDaLinha"), QString());

    QGuiApplication::clipboard()->setText(QStringLiteral("do usuário"));
    clicar(l);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("do usuário"));
    EXPECT_FALSE(estado->avisos()->atual());
    EXPECT_EQ(estado->avisos()->contadorDeCopias(), 0);
}

TEST_F(Barra, RodapePedeJanelaAjustesESaida)
{
    entrar();
    QQuickItem *barra = mostrarBarra();
    ASSERT_TRUE(barra);
    EXPECT_EQ(barra->width(), 340);
    struct Caso {
        const char *botao;
        const char *sinal;
        const char *texto;
    };
    const Caso casos[] = {
        {"abrirNaBarra", SIGNAL(abrirJanelaPedida()), "Abrir o Corvane"},
        {"ajustesNaBarra", SIGNAL(ajustesPedidos()), "Ajustes"},
        {"sairNaBarra", SIGNAL(sairPedido()), "Sair"},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.botao);
        QSignalSpy espiao(barra, caso.sinal);
        EXPECT_EQ(texto(QString::fromLatin1(caso.botao)), QString::fromUtf8(caso.texto));
        clicar(item(QString::fromLatin1(caso.botao)));
        EXPECT_EQ(espiao.count(), 1);
    }
}

} // namespace

namespace {

// A sync that brings changes from another device leaves the panel's long list where it was
// scrolled, with the rows in view kept.
TEST_F(Barra, SincroniaGuardaARolagemDaLista)
{
    QStringList ids;
    for (int i = 0; i < 30; ++i)
        ids << semear(codigo(QStringLiteral("Serviço %1").arg(i, 2, 10, QLatin1Char('0')), QString()));
    entrar();
    ASSERT_TRUE(mostrarBarra());
    ajustarAltura();
    QQuickItem *lista = item(QStringLiteral("listaDaBarra"));
    auto *modelo = qobject_cast<QAbstractItemModel *>(lista->property("model").value<QObject *>());
    ASSERT_TRUE(modelo);
    lista->setProperty("contentY", 600);
    avancar(50);
    static_cast<void>(janela()->grabWindow()); // a frame builds the rows that came into view
    const qreal rolagem = lista->property("contentY").toReal();
    ASSERT_GT(rolagem, 300);
    QQuickItem *vista = linha(ids.at(15));
    ASSERT_TRUE(vista);
    QSignalSpy reinicios(modelo, &QAbstractItemModel::modelReset);

    TelaComConta::semear(TipoDeItem::codigo, codigo(QStringLiteral("Serviço 15"), QStringLiteral("nova@conta")), false,
                         ids.at(15));
    static_cast<void>(servidor.estado().apagarItem(email, ids.at(28)));
    semear(codigo(QStringLiteral("Serviço 30"), QString()));
    Testes::executar(estado->cofre()->sincronizar());
    avancar(50);
    static_cast<void>(janela()->grabWindow());

    EXPECT_EQ(reinicios.count(), 0);
    EXPECT_DOUBLE_EQ(lista->property("contentY").toReal(), rolagem) << "a lista voltou ao topo";
    EXPECT_EQ(linha(ids.at(15)), vista) << "a linha foi refeita";
    EXPECT_EQ(listados().size(), 30);
    EXPECT_EQ(rolagensQueVazam(qobject_cast<QQuickItem *>(raiz())), QStringList());
}

} // namespace
