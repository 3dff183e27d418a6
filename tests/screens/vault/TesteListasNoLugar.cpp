// The vault's lists keep the user's place: a sync that brings changes from another device leaves
// the password and note lists where they were scrolled, with the same row chosen; the split
// view's divider drags within its limits; a note's text copies through the concealed copy; and
// the scrolled code grid stays inside its area.
#include "CofreNaTela.h"

#include "screens/comum/AreaDeTransferencia.h"
#include "screens/vault/JanelaDoCofre.h"
#include "support/Executar.h"
#include "support/quick/Recortes.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QQmlComponent>
#include <QQmlContext>
#include <QSignalSpy>
#include <QTest>

namespace {

class ListasNoLugar : public CofreNaTela {
protected:
    // The vault window with the real sections in its slots, released, showing `secao`.
    void abrirSecao(const QString &secao)
    {
        ASSERT_TRUE(abrir(QSize(1120, 720)));
        engine().rootContext()->setContextProperty(QStringLiteral("vistaDeTeste"), raiz()->property("vista"));
        const struct {
            const char *slot;
            const char *tipo;
        } encaixes[] = {{"secaoDeSenhas", "SenhasNoMac"}, {"secaoDeNotas", "NotasNoMac"}};
        for (const auto &s : encaixes) {
            auto *componente = new QQmlComponent(&engine(), raiz());
            componente->setData((importacoes + QStringLiteral("import Corvane.Cofre\n%1 { objectName: \"%1\"; "
                                                              "estado: estadoDeTeste; vista: vistaDeTeste }"))
                                    .arg(QString::fromLatin1(s.tipo))
                                    .toUtf8(),
                                QUrl());
            ASSERT_TRUE(componente->isReady()) << componente->errorString().toStdString();
            raiz()->setProperty(s.slot, QVariant::fromValue(componente));
        }
        ASSERT_TRUE(Testes::executar(estado->liberarSecoes()));
        raiz()->property("vista").value<JanelaDoCofre *>()->definirSecao(secao);
        avancar(1000);
    }
    static QQuickItem *em(QQuickItem *pai, const char *nome)
    {
        auto *achado = pai ? pai->findChild<QQuickItem *>(QString::fromLatin1(nome)) : nullptr;
        EXPECT_TRUE(achado) << nome;
        return achado;
    }
    void sincronizar()
    {
        Testes::executar(estado->cofre()->sincronizar());
        avancar(100);
        desenhar();
    }
    // A frame: views lay out (and build the rows that came into view) while polishing.
    void desenhar() { static_cast<void>(janela()->grabWindow()); }
    void esperarCopia(const QString &texto, const QString &aviso, qint64 copias)
    {
        const QMimeData *dados = QGuiApplication::clipboard()->mimeData();
        ASSERT_TRUE(dados);
        EXPECT_EQ(dados->text(), texto);
        EXPECT_EQ(dados->data(QString::fromLatin1(AreaDeTransferencia::tipoDaMarca)), QByteArray("secret"));
        EXPECT_EQ(estado->avisos()->contadorDeCopias(), copias);
        ASSERT_TRUE(estado->avisos()->atual());
        EXPECT_EQ(estado->avisos()->atual()->texto, aviso);
        EXPECT_EQ(estado->avisos()->atual()->simbolo, QStringLiteral("checkmark.circle.fill"));
    }
    static ObjetoJSON conteudo(TipoDeItem tipo, const QString &titulo, const QString &subtitulo)
    {
        if (tipo == TipoDeItem::senha)
            return DadosDeSenha::novo(titulo, subtitulo, QStringLiteral("x"), {}, {}, false).json;
        return DadosDeNota(titulo, subtitulo, false).json;
    }
};

TEST_F(ListasNoLugar, SincroniaGuardaRolagemEEscolhaDaLista)
{
    const struct {
        const char *secao;
        TipoDeItem tipo;
        const char *vista;
    } casos[] = {{"senhas", TipoDeItem::senha, "SenhasNoMac"}, {"notas", TipoDeItem::nota, "NotasNoMac"}};
    QHash<int, QStringList> idsPorCaso;
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < 100; ++i)
            idsPorCaso[c] << semear(casos[c].tipo, conteudo(casos[c].tipo, QStringLiteral("Item %1").arg(i, 3, 10, QLatin1Char('0')),
                                                            QStringLiteral("linha %1").arg(i)));
    }
    abrirSecao(QStringLiteral("senhas"));
    for (int c = 0; c < 2; ++c) {
        const auto &caso = casos[c];
        SCOPED_TRACE(caso.secao);
        const QStringList &ids = idsPorCaso[c];
        raiz()->property("vista").value<JanelaDoCofre *>()->definirSecao(QString::fromLatin1(caso.secao));
        avancar(1000);
        desenhar();
        QQuickItem *secao = item(QString::fromLatin1(caso.vista));
        QQuickItem *lista = em(secao, "listaDeItens");
        auto *itens = secao->property("itens").value<QAbstractItemModel *>();
        ASSERT_TRUE(lista && itens);
        ASSERT_EQ(itens->rowCount(), 100);

        // Scrolled down to the sixties, the 64th chosen with a click.
        lista->setProperty("contentY", 3000);
        avancar(100);
        desenhar();
        QQuickItem *linha = item(QStringLiteral("linha-") + ids.at(64));
        ASSERT_TRUE(linha);
        clicar(linha);
        ASSERT_EQ(secao->property("escolhida").toString(), ids.at(64));
        const qreal rolagem = lista->property("contentY").toReal();
        ASSERT_GT(rolagem, 2000);
        QSignalSpy reinicios(itens, &QAbstractItemModel::modelReset);

        // Another device edits the chosen item and renames one below it to the end, deletes
        // one and adds one; then a sync.
        semear(caso.tipo, conteudo(caso.tipo, QStringLiteral("Item 064"), QStringLiteral("linha nova")), false, ids.at(64));
        semear(caso.tipo, conteudo(caso.tipo, QStringLiteral("Item 099b"), QStringLiteral("linha 95")), false, ids.at(95));
        static_cast<void>(servidor.estado().apagarItem(email, ids.at(96)));
        const QString novo = semear(caso.tipo, conteudo(caso.tipo, QStringLiteral("Item 100"), QString()));
        sincronizar();

        QStringList esperados = ids;
        esperados.removeAt(96);
        esperados.removeAt(95);
        esperados << ids.at(95) << novo;
        QStringList listados;
        for (int i = 0; i < itens->rowCount(); ++i)
            listados << itens->index(i, 0).data(Qt::UserRole + 1).toString();
        EXPECT_EQ(listados, esperados);
        EXPECT_EQ(reinicios.count(), 0);
        EXPECT_DOUBLE_EQ(lista->property("contentY").toReal(), rolagem) << "a lista voltou ao topo";
        EXPECT_EQ(secao->property("escolhida").toString(), ids.at(64));
        EXPECT_EQ(item(QStringLiteral("linha-") + ids.at(64)), linha) << "a linha escolhida foi refeita";
        EXPECT_EQ(em(linha, "subtituloDaLinha")->property("text").toString(), QStringLiteral("linha nova"));
        EXPECT_TRUE(linha->property("escolhida").toBool());
        EXPECT_EQ(rolagensQueVazam(qobject_cast<QQuickItem *>(raiz())), QStringList());
    }
}

TEST_F(ListasNoLugar, DivisoriaArrastaEntreOsLimites)
{
    for (int i = 0; i < 3; ++i)
        semear(TipoDeItem::senha, conteudo(TipoDeItem::senha, QStringLiteral("Site %1").arg(i), QStringLiteral("ana")));
    abrirSecao(QStringLiteral("senhas"));
    QQuickItem *painel = item(QStringLiteral("listaDeSenhas"));
    QQuickItem *detalhe = item(QStringLiteral("detalheDaSenha"));
    QQuickItem *divisoria = item(QStringLiteral("divisoriaDaSecao"));
    ASSERT_TRUE(painel && detalhe && divisoria);
    EXPECT_DOUBLE_EQ(painel->width(), 280);

    // Dragged by a hand: beyond the limits the list stops at 360 and at 240.
    const struct {
        int deslocamento;
        double largura;
    } arrastos[] = {{40, 320}, {200, 360}, {-300, 240}, {120, 360}};
    for (const auto &arrasto : arrastos) {
        SCOPED_TRACE(arrasto.deslocamento);
        // A point beside the hairline, inside its grip.
        const QPoint inicio = ponto(divisoria, 3, divisoria->height() / 2);
        const QPoint fim = inicio + QPoint(arrasto.deslocamento, 0);
        QTest::mousePress(janela(), Qt::LeftButton, {}, inicio);
        for (int p = 1; p <= 10; ++p)
            QTest::mouseMove(janela(), inicio + (fim - inicio) * p / 10);
        QTest::mouseRelease(janela(), Qt::LeftButton, {}, fim);
        avancar(50);
        EXPECT_DOUBLE_EQ(painel->width(), arrasto.largura);
        EXPECT_GE(item(QStringLiteral("detalheDaSenha"))->width(), 360);
    }
    capturar(QStringLiteral("senhas-divisao-em-360"));
}

TEST_F(ListasNoLugar, TextoDaNotaEDasNotasDaSenhaSaiPelaCopiaProtegida)
{
    const QString wifi = semear(TipoDeItem::nota, DadosDeNota(QStringLiteral("Wi-Fi de casa"),
                                                              QStringLiteral("Rede: Casa\nSenha: 1234-abcd"), false)
                                                      .json);
    semear(TipoDeItem::nota, DadosDeNota(QStringLiteral("Vazia"), QString(), false).json);
    semear(TipoDeItem::senha, DadosDeSenha::novo(QStringLiteral("Banco"), QStringLiteral("ana"), QStringLiteral("s"), {},
                                                 QStringLiteral("PIN do cartão: 9876"), true)
                                  .json);
    abrirSecao(QStringLiteral("notas"));
    QGuiApplication::clipboard()->setText(QStringLiteral("antes"));

    // The first note, "Vazia", has nothing to copy.
    QQuickItem *copiar = item(QStringLiteral("botaoCopiarNota"));
    ASSERT_TRUE(copiar);
    EXPECT_EQ(copiar->property("text").toString(), QStringLiteral("Copiar"));
    EXPECT_FALSE(copiar->isEnabled());

    clicar(item(QStringLiteral("linha-") + wifi));
    copiar = item(QStringLiteral("botaoCopiarNota"));
    ASSERT_TRUE(copiar->isEnabled());
    capturar(QStringLiteral("notas-com-copiar"));
    clicar(copiar);
    esperarCopia(QStringLiteral("Rede: Casa\nSenha: 1234-abcd"), QStringLiteral("Nota copiada"), 1);

    raiz()->property("vista").value<JanelaDoCofre *>()->definirSecao(QStringLiteral("senhas"));
    avancar(1000);
    QQuickItem *copiarNotas = item(QStringLiteral("botaoCopiarNotas"));
    ASSERT_TRUE(copiarNotas);
    EXPECT_EQ(copiarNotas->property("dica").toString(), QStringLiteral("Copiar"));
    clicar(copiarNotas);
    esperarCopia(QStringLiteral("PIN do cartão: 9876"), QStringLiteral("Notas copiadas"), 2);
}

TEST_F(ListasNoLugar, GradeRoladaNaoCobreOCartaoDoPreenchimentoEGuardaOLugar)
{
    QStringList ids;
    for (int i = 0; i < 40; ++i)
        ids << semear(TipoDeItem::codigo, codigo(QStringLiteral("Serviço %1").arg(i, 2, 10, QLatin1Char('0')), QString()));
    ASSERT_TRUE(abrir());
    ASSERT_TRUE(item(QStringLiteral("cartaoDoPreenchimento"))->isVisible());
    QQuickItem *grade = item(QStringLiteral("gradeDeCodigos"));
    QObject *lista = item(QStringLiteral("gradeDeCodigosNoMac"))->property("codigos").value<QObject *>();
    QSignalSpy reinicios(lista, SIGNAL(modelReset()));
    grade->setProperty("contentY", 900);
    avancar(1500); // the cards that come into view enter
    desenhar();
    EXPECT_EQ(rolagensQueVazam(qobject_cast<QQuickItem *>(raiz())), QStringList());
    capturar(QStringLiteral("grade-rolada-sob-o-cartao-do-preenchimento"));

    // A rename moves a code to the end: the grid moves that card and stays where it was.
    const qreal rolagem = grade->property("contentY").toReal();
    semear(TipoDeItem::codigo, codigo(QStringLiteral("Zeta"), QString()), false, ids.at(2));
    sincronizar();
    ids.move(2, ids.size() - 1);
    EXPECT_EQ(idsNaGrade(), ids);
    EXPECT_EQ(reinicios.count(), 0);
    EXPECT_DOUBLE_EQ(grade->property("contentY").toReal(), rolagem);
}

} // namespace
