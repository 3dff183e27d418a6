// The code grid against the development server: columns at the window's two widths, click to
// copy, the next code and the ring in the last seconds, a bad secret, the empty states, and a
// second's tick that keeps the cards.
#include "CofreNaTela.h"

#include "kit/MovimentoReduzido.h"
#include "kit/Paleta.h"
#include "screens/comum/AreaDeTransferencia.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString segredo = QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ");

class Grade : public CofreNaTela {
protected:
    QString codigoEm(qint64 segundos)
    {
        return GeradorDeCodigos({segredo, AlgoritmoTotp::sha1, 6, 30}).codigo(QDateTime::fromSecsSinceEpoch(segundos, Qt::UTC));
    }
    QQuickItem *cartao(const QString &id) { return item(QStringLiteral("cartao-") + id); }
    QQuickItem *em(QQuickItem *cartao, const char *nome)
    {
        return cartao->findChild<QQuickItem *>(QString::fromLatin1(nome));
    }
    // The start of a 30-second period shortly after the fixture's moment.
    qint64 inicioDoPeriodo() const { return (agoraDaTela.toSecsSinceEpoch() / 30 + 1) * 30; }
};

// Five codes in a window of `largura`: as many columns of `coluna` points as the rule gives,
// centred in the detail column.
class Colunas : public Grade {
protected:
    void conferir(int largura, int colunas, double coluna)
    {
        for (int i = 0; i < 5; ++i)
            semear(TipoDeItem::codigo, codigo(QStringLiteral("Serviço %1").arg(i), QStringLiteral("ana%1@exemplo.com").arg(i)));
        ASSERT_TRUE(abrir(QSize(largura, 680)));
        QSet<int> xs;
        for (const QString &id : idsNaGrade()) {
            QQuickItem *c = cartao(id);
            if (!c)
                continue;
            xs.insert(qRound(c->mapToScene(QPointF()).x()));
            EXPECT_DOUBLE_EQ(c->width(), coluna);
        }
        EXPECT_EQ(xs.size(), colunas);
        QQuickItem *detalhe = item(QStringLiteral("colunaDeDetalhe"));
        const double meio = detalhe->mapToScene(QPointF(detalhe->width() / 2, 0)).x();
        const double esquerda = *std::min_element(xs.cbegin(), xs.cend());
        EXPECT_NEAR(esquerda + (colunas * coluna + (colunas - 1) * 16) / 2, meio, 1);
        QTest::mouseMove(janela(), QPoint(largura - 4, 660)); // no card under the pointer
        avancar(300);
        capturar(QStringLiteral("cofre-%1").arg(largura));
    }
};

TEST_F(Colunas, UmaEm860) { conferir(860, 1, 400); }
TEST_F(Colunas, DuasEm1040) { conferir(1040, 2, 366); }

TEST_F(Grade, CliqueCopiaOsDigitosComAvisoEPiscaABorda)
{
    const QString id = semear(TipoDeItem::codigo, codigo(QStringLiteral("GitHub"), QStringLiteral("bia@exemplo.com")));
    ASSERT_TRUE(abrir());
    const qint64 agora = agoraDaTela.toSecsSinceEpoch();
    QQuickItem *c = cartao(id);
    ASSERT_TRUE(c);
    const QString digitos = codigoEm(agora);
    EXPECT_EQ(em(c, "codigoDoCartao")->property("text").toString(), digitos.left(3) + u' ' + digitos.mid(3));
    EXPECT_EQ(em(c, "tituloDoCartao")->property("text").toString(), QStringLiteral("GitHub"));
    EXPECT_EQ(em(c, "contaDoCartao")->property("text").toString(), QStringLiteral("bia@exemplo.com"));
    EXPECT_FALSE(em(c, "estrelaDoCartao")->isVisible());

    // Hover: the edit button and the blue copy icon show, the card lifts.
    EXPECT_DOUBLE_EQ(em(c, "botaoEditar")->opacity(), 0);
    passarPor(em(c, "codigoDoCartao"));
    avancar(300);
    EXPECT_DOUBLE_EQ(em(c, "botaoEditar")->opacity(), 1);
    EXPECT_EQ(em(c, "iconeDeCopiar")->property("cor").value<QColor>(), Paleta::azul());
    EXPECT_DOUBLE_EQ(em(c, "fundoDoCartao")->scale(), 1.006);
    capturar(QStringLiteral("cofre-cartao-sob-o-ponteiro"));

    QGuiApplication::clipboard()->setText(QStringLiteral("antes"));
    const qint64 copiasAntes = estado->avisos()->contadorDeCopias();
    clicar(em(c, "codigoDoCartao"));
    const QMimeData *dados = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(dados);
    EXPECT_EQ(dados->text(), digitos); // without the display space
    EXPECT_EQ(dados->data(QString::fromLatin1(AreaDeTransferencia::tipoDaMarca)), QByteArray("secret"));
    EXPECT_EQ(estado->avisos()->contadorDeCopias(), copiasAntes + 1);
    ASSERT_TRUE(estado->avisos()->atual());
    EXPECT_EQ(estado->avisos()->atual()->texto, QStringLiteral("Código de GitHub copiado"));
    EXPECT_EQ(estado->avisos()->atual()->simbolo, QStringLiteral("checkmark.circle.fill"));

    // The border flashes at 60 % and fades out; a second click flashes it again.
    avancar(16);
    QQuickItem *pulso = item(QStringLiteral("pulsoDeCopia"));
    ASSERT_TRUE(pulso);
    EXPECT_GT(pulso->opacity(), 0.4);
    avancar(800);
    EXPECT_DOUBLE_EQ(pulso->opacity(), 0);
    clicar(em(c, "codigoDoCartao"));
    avancar(16);
    EXPECT_GT(pulso->opacity(), 0.4);
    EXPECT_EQ(c->property("pulso").toInt(), 2);

    // The edit button opens the editor for this item.
    clicar(em(c, "botaoEditar"));
    EXPECT_TRUE(item(QStringLiteral("folhaDeEdicao"))->isVisible());
}

TEST_F(Grade, ProximoCodigoEAnelNosUltimosSegundos)
{
    const QString id = semear(TipoDeItem::codigo, codigo(QStringLiteral("GitHub"), QStringLiteral("bia@exemplo.com")));
    ASSERT_TRUE(abrir());
    const qint64 inicio = inicioDoPeriodo();
    QQuickItem *c = cartao(id);
    QQuickItem *arco = em(em(c, "anelDoCartao"), "arco");

    // 6 seconds left: the copy icon, a blue ring.
    irPara(inicio + 24);
    avancar(1100);
    EXPECT_DOUBLE_EQ(em(c, "proximoCodigo")->opacity(), 0);
    EXPECT_DOUBLE_EQ(em(c, "iconeDeCopiar")->opacity(), 1);
    EXPECT_FALSE(arco->property("acabando").toBool());
    EXPECT_NEAR(arco->property("mostrada").toDouble(), 6.0 / 30, 1e-9);

    // 5 seconds left: the next period's code fades in and the ring turns amber.
    irPara(inicio + 25);
    avancar(400);
    EXPECT_DOUBLE_EQ(em(c, "proximoCodigo")->opacity(), 1);
    const QString proximo = codigoEm(inicio + 30);
    EXPECT_EQ(em(c, "proximoCodigo")->property("text").toString(), proximo.left(3) + u' ' + proximo.mid(3));
    EXPECT_EQ(em(c, "codigoDoCartao")->property("text").toString().remove(u' '), codigoEm(inicio + 25));
    EXPECT_TRUE(arco->property("acabando").toBool());
    // Halfway through its second of linear motion.
    EXPECT_GT(arco->property("mostrada").toDouble(), 5.0 / 30);
    EXPECT_LT(arco->property("mostrada").toDouble(), 6.0 / 30);
    capturar(QStringLiteral("cofre-ultimos-segundos"));

    // A new period: the ring snaps back to full at once, blue again, and the new code shows.
    irPara(inicio + 30);
    EXPECT_DOUBLE_EQ(arco->property("mostrada").toDouble(), 1);
    EXPECT_FALSE(arco->property("acabando").toBool());
    avancar(400);
    EXPECT_DOUBLE_EQ(em(c, "proximoCodigo")->opacity(), 0);
    EXPECT_EQ(em(c, "codigoDoCartao")->property("text").toString().remove(u' '), proximo);
}

TEST_F(Grade, ProximoCodigoSobeDeBaixoESaiDescendoComOUltimoTexto)
{
    const QString id = semear(TipoDeItem::codigo, codigo(QStringLiteral("GitHub"), QStringLiteral("bia@exemplo.com")));
    ASSERT_TRUE(abrir());
    const qint64 inicio = inicioDoPeriodo();
    QQuickItem *c = cartao(id);
    QQuickItem *linha = em(c, "proximoCodigo");
    irPara(inicio + 24);
    avancar(1100);
    EXPECT_FALSE(linha->isVisible());

    // Entering: it starts 4 points below its place and rises while it fades in.
    irPara(inicio + 25);
    avancar(16);
    avancar(16);
    const double noLugar = linha->parentItem()->height() - 9 - linha->baselineOffset();
    EXPECT_GT(linha->y(), noLugar + 2);
    EXPECT_LE(linha->y(), noLugar + 4);
    EXPECT_LT(linha->opacity(), 0.5);
    avancar(400);
    EXPECT_DOUBLE_EQ(linha->y(), noLugar);
    const QString proximo = linha->property("text").toString();
    ASSERT_FALSE(proximo.isEmpty());

    // Leaving at the new period: it sinks 4 points while it fades out, with the text it had.
    irPara(inicio + 30);
    double antes = linha->y();
    for (int quadro = 0; quadro < 10; ++quadro) {
        avancar(16);
        SCOPED_TRACE(quadro);
        if (!linha->isVisible())
            break;
        EXPECT_EQ(linha->property("text").toString(), proximo);
        EXPECT_GE(linha->y(), antes);
        EXPECT_LE(linha->y(), noLugar + 4);
        antes = linha->y();
        if (quadro == 4)
            capturar(QStringLiteral("cofre-proximo-codigo-saindo"));
    }
    EXPECT_GT(antes, noLugar + 1) << "moved down";
    avancar(400);
    EXPECT_FALSE(linha->isVisible());
    EXPECT_DOUBLE_EQ(linha->y(), noLugar + 4);
}

TEST_F(Grade, FavoritoPrimeiroEChaveInvalidaNaoCopia)
{
    const QString comum = semear(TipoDeItem::codigo, codigo(QStringLiteral("Amazon"), QString()));
    const QString favorito = semear(TipoDeItem::codigo, codigo(QStringLiteral("Zoho"), QString(), true));
    const QString quebrado =
        semear(TipoDeItem::codigo, codigo(QStringLiteral("Banco"), QStringLiteral("conta"), false, QStringLiteral("1!!")));
    ASSERT_TRUE(abrir());
    EXPECT_EQ(idsNaGrade(), (QStringList{favorito, comum, quebrado}));
    EXPECT_TRUE(em(cartao(favorito), "estrelaDoCartao")->isVisible());
    EXPECT_FALSE(em(cartao(comum), "contaDoCartao")->isVisible());

    QQuickItem *c = cartao(quebrado);
    EXPECT_TRUE(em(c, "chaveInvalida")->isVisible());
    EXPECT_EQ(em(c, "chaveInvalida")->property("text").toString(), QStringLiteral("Chave inválida"));
    EXPECT_EQ(em(c, "chaveInvalida")->property("color").value<QColor>(), Paleta::vermelho());
    EXPECT_FALSE(em(c, "codigoDoCartao")->isVisible());

    // Neither the click nor the context menu touches the clipboard or says it copied.
    QGuiApplication::clipboard()->setText(QStringLiteral("o que a pessoa copiou"));
    clicar(em(c, "chaveInvalida"));
    clicar(em(c, "chaveInvalida"), Qt::RightButton);
    avancar(300);
    QObject *menu = c->findChild<QObject *>(QStringLiteral("menuDoCartao"));
    ASSERT_TRUE(menu);
    EXPECT_TRUE(menu->property("visible").toBool());
    auto *copiar = menu->findChild<QQuickItem *>(QStringLiteral("menuCopiarCodigo"));
    ASSERT_TRUE(copiar);
    EXPECT_FALSE(copiar->isEnabled());
    EXPECT_TRUE(menu->findChild<QQuickItem *>(QStringLiteral("menuEditar"))->isEnabled());
    QMetaObject::invokeMethod(copiar, "triggered");
    clicar(copiar);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("o que a pessoa copiou"));
    EXPECT_EQ(estado->avisos()->contadorDeCopias(), 0);
    EXPECT_FALSE(estado->avisos()->atual());
    EXPECT_EQ(c->property("pulso").toInt(), 0);

    // On a good card the menu copies and says "Código copiado", without a flash.
    QTest::keyClick(janela(), Qt::Key_Escape);
    avancar(300);
    clicar(em(cartao(comum), "codigoDoCartao"), Qt::RightButton);
    avancar(300);
    clicar(cartao(comum)->findChild<QObject *>(QStringLiteral("menuDoCartao"))->findChild<QQuickItem *>(QStringLiteral("menuCopiarCodigo")));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), codigoEm(agoraDaTela.toSecsSinceEpoch()));
    ASSERT_TRUE(estado->avisos()->atual());
    EXPECT_EQ(estado->avisos()->atual()->texto, QStringLiteral("Código copiado"));
    EXPECT_EQ(cartao(comum)->property("pulso").toInt(), 0);
}

// The illustrated empty state, its button enabled only while the vault can reach the server.
class Vazio : public Grade {
public:
    void conferir(bool reduzido)
    {
        MovimentoReduzido::instancia().definir(reduzido);
        ASSERT_TRUE(abrir(QSize(1040, 680)));
        EXPECT_FALSE(item(QStringLiteral("campoDeBusca"))->isVisible());
        EXPECT_EQ(texto(QStringLiteral("subtituloDaSecao")), QStringLiteral("Os códigos de verificação dos seus sites ficam aqui."));
        QQuickItem *vazio = item(QStringLiteral("vazioSemCodigos"))->property("item").value<QQuickItem *>();
        ASSERT_TRUE(vazio);
        EXPECT_EQ(vazio->findChild<QQuickItem *>(QStringLiteral("tituloDoVazio"))->property("text").toString(),
                  QStringLiteral("Nenhum código ainda"));
        QQuickItem *botao = vazio->findChild<QQuickItem *>(QStringLiteral("botaoDoVazio"));
        EXPECT_EQ(botao->property("text").toString(), QStringLiteral("Adicionar código"));
        EXPECT_TRUE(botao->isEnabled());
        // With reduced motion the panel is in place at once and the orbit stands still.
        QQuickItem *caixa = vazio->findChild<QQuickItem *>(QStringLiteral("caixaDaEntrada"));
        EXPECT_DOUBLE_EQ(caixa->opacity(), 1);
        QQuickItem *ilustracao = vazio->findChild<QQuickItem *>(QStringLiteral("ilustracaoDoVazio"));
        const double t = ilustracao->property("t").toDouble();
        avancar(500);
        EXPECT_EQ(ilustracao->property("t").toDouble() == t, reduzido);
        capturar(reduzido ? QStringLiteral("cofre-vazio-movimento-reduzido") : QStringLiteral("cofre-vazio"));
        clicar(botao);
        EXPECT_TRUE(item(QStringLiteral("folhaDeEdicao"))->isVisible());
        clicar(item(QStringLiteral("fecharFolha")));
        EXPECT_FALSE(item(QStringLiteral("folhaDeEdicao"))->isVisible());

        // Without the server the button is disabled and does nothing.
        estado->sessaoFoiEncerrada();
        QCoreApplication::processEvents();
        EXPECT_FALSE(botao->isEnabled());
        clicar(botao);
        EXPECT_FALSE(item(QStringLiteral("folhaDeEdicao"))->isVisible());
    }
};

TEST_F(Vazio, ComMovimento) { conferir(false); }
TEST_F(Vazio, ComMovimentoReduzido) { conferir(true); }

TEST_F(Grade, TiqueDoRelogioMantemOsCartoes)
{
    for (int i = 0; i < 40; ++i)
        semear(TipoDeItem::codigo, codigo(QStringLiteral("Serviço %1").arg(i, 2, 10, QLatin1Char('0')), QString()));
    ASSERT_TRUE(abrir());
    const QStringList ids = idsNaGrade();
    ASSERT_EQ(ids.size(), 40);
    QList<QQuickItem *> antes;
    for (const QString &id : ids.mid(0, 6))
        antes << cartao(id);
    const QString codigoAntes = em(antes.first(), "codigoDoCartao")->property("text").toString();
    for (int s = 1; s <= 35; ++s)
        irPara(agoraDaTela.toSecsSinceEpoch() + 1);
    for (int i = 0; i < antes.size(); ++i)
        EXPECT_EQ(cartao(ids.at(i)), antes.at(i)) << "o cartão foi recriado";
    EXPECT_NE(em(antes.first(), "codigoDoCartao")->property("text").toString(), codigoAntes);
}

TEST_F(Grade, BuscaTiraEPoeCartoesSemRefazerOsQueFicam)
{
    QStringList ids;
    for (const char *nome : {"Amazon", "GitHub", "GitLab", "Google", "Nubank"})
        ids << semear(TipoDeItem::codigo, codigo(QString::fromLatin1(nome), QString()));
    ASSERT_TRUE(abrir());
    QObject *lista = item(QStringLiteral("gradeDeCodigosNoMac"))->property("codigos").value<QObject *>();
    QSignalSpy reinicios(lista, SIGNAL(modelReset()));
    QQuickItem *gitlab = cartao(ids.at(2));
    ASSERT_TRUE(gitlab);

    const struct {
        const char *busca;
        QStringList ids;
    } passos[] = {
        {"g", {ids.at(1), ids.at(2), ids.at(3)}},
        {"git", {ids.at(1), ids.at(2)}},
        {"gitl", {ids.at(2)}},
        {"", ids},
    };
    for (const auto &passo : passos) {
        SCOPED_TRACE(passo.busca);
        item(QStringLiteral("gradeDeCodigosNoMac"))->setProperty("busca", QString::fromLatin1(passo.busca));
        avancar(50);
        EXPECT_EQ(idsNaGrade(), passo.ids);
        EXPECT_EQ(cartao(ids.at(2)), gitlab) << "um cartão que ficou foi refeito";
    }
    EXPECT_EQ(reinicios.size(), 0);
}

} // namespace

namespace {

// The keyboard reaches the cards: Tab walks to a card, which shows its ring, and Space copies
// its code as a click does.
TEST_F(Grade, TabChegaAoCartaoQueMostraOFocoEEspacoCopia)
{
    semear(TipoDeItem::codigo, codigo(QStringLiteral("GitHub"), QStringLiteral("bia@exemplo.com")));
    semear(TipoDeItem::codigo, codigo(QStringLiteral("Google"), QStringLiteral("ana@exemplo.com")));
    ASSERT_TRUE(abrir());
    avancar(1000);
    QQuickItem *alvo = nullptr;
    for (int i = 0; i < 40 && !alvo; ++i) {
        QTest::keyClick(janela(), Qt::Key_Tab);
        QQuickItem *focado = janela()->activeFocusItem();
        if (focado && focado->objectName().startsWith(QStringLiteral("cartao-")))
            alvo = focado;
    }
    ASSERT_TRUE(alvo) << "Tab never reached a card";
    avancar(300);
    QQuickItem *anel = alvo->findChild<QQuickItem *>(QStringLiteral("anelDeFoco"));
    ASSERT_TRUE(anel);
    EXPECT_TRUE(anel->isVisible());
    capturar(QStringLiteral("cofre-cartao-com-foco"));

    const qint64 copiasAntes = estado->avisos()->contadorDeCopias();
    QTest::keyClick(janela(), Qt::Key_Space);
    EXPECT_EQ(estado->avisos()->contadorDeCopias(), copiasAntes + 1);
    ASSERT_TRUE(estado->avisos()->atual());
    EXPECT_TRUE(estado->avisos()->atual()->texto.startsWith(QStringLiteral("Código de ")));
}

} // namespace
