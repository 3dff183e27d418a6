// The password and note sections inside the vault window, over items seeded on the development
// server: list order, search and selection, the password's fields with their mask, reveal and
// copies, the live attached code, the sites, the notes, and the empty states.
#include "CofreNaTela.h"

#include "screens/comum/AreaDeTransferencia.h"
#include "screens/vault/JanelaDoCofre.h"
#include "screens/vault/RegrasDasSenhas.h"
#include "support/Executar.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QQmlComponent>
#include <QQmlContext>
#include <QTest>

namespace {

const QString bolinhas(int n) { return QString(n, QChar(0x2022)); }

class SecoesDeItens : public CofreNaTela {
protected:
    // The vault window with the real sections in its slots, released, showing `secao`.
    void abrirSecao(const QString &secao)
    {
        instalarSecoes();
        ASSERT_TRUE(Testes::executar(estado->liberarSecoes()));
        vista()->definirSecao(secao);
        avancar(1000);
    }
    // The vault window with the real sections in its slots, still behind the gate.
    void instalarSecoes()
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
    }
    JanelaDoCofre *vista() { return raiz()->property("vista").value<JanelaDoCofre *>(); }
    static QQuickItem *em(QQuickItem *pai, const char *nome)
    {
        auto *achado = pai ? pai->findChild<QQuickItem *>(QString::fromLatin1(nome)) : nullptr;
        EXPECT_TRUE(achado) << nome;
        return achado;
    }
    QStringList idsListados(const char *secao)
    {
        QObject *itens = item(QString::fromLatin1(secao))->property("itens").value<QObject *>();
        QStringList lista;
        QMetaObject::invokeMethod(itens, "ids", Q_RETURN_ARG(QStringList, lista));
        return lista;
    }
    QString escolhida(const char *secao) { return item(QString::fromLatin1(secao))->property("escolhida").toString(); }
    QQuickItem *campo(const char *nome) { return em(item(QStringLiteral("detalheDaSenha")), nome); }
    QQuickItem *linhaDe(const QString &id) { return qobject_cast<QQuickItem *>(esperarObjeto(QStringLiteral("linha-") + id)); }
    QString valorDe(const char *nome) { return em(campo(nome), "valorDoCampo")->property("text").toString(); }
    void buscar(const QString &texto)
    {
        vista()->definirBusca(texto);
        QCoreApplication::processEvents();
    }
    // A drag across `alvo`, as a person selecting its text would make.
    void arrastarSobre(QQuickItem *alvo)
    {
        const QPoint inicio = ponto(alvo, 2, alvo->height() / 2);
        const QPoint fim = ponto(alvo, alvo->width() - 2, alvo->height() / 2);
        QTest::mousePress(janela(), Qt::LeftButton, {}, inicio);
        for (int i = 1; i <= 8; ++i)
            QTest::mouseMove(janela(), inicio + (fim - inicio) * i / 8);
        QTest::mouseRelease(janela(), Qt::LeftButton, {}, fim);
        QCoreApplication::processEvents();
    }
    static ObjetoJSON senha(const QString &titulo, const QString &usuario, const QString &valor,
                            const QList<QString> &sites, const QString &notas = {}, bool favorito = false)
    {
        return DadosDeSenha::novo(titulo, usuario, valor, sites, notas, favorito).json;
    }
    static ObjetoJSON comCodigo(ObjetoJSON json, const QString &segredo)
    {
        ObjetoJSON codigo;
        codigo.definir(QStringLiteral("segredo"), ValorJSON::texto(segredo));
        codigo.definir(QStringLiteral("algoritmo"), ValorJSON::texto(QStringLiteral("SHA1")));
        codigo.definir(QStringLiteral("digitos"), ValorJSON::inteiro(6));
        codigo.definir(QStringLiteral("periodo"), ValorJSON::inteiro(30));
        json.definir(QStringLiteral("codigo"), ValorJSON::objeto(codigo));
        return json;
    }
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
};

TEST_F(SecoesDeItens, ListaDeSenhasOrdemBuscaEEscolha)
{
    const QString banco = semear(TipoDeItem::senha, senha(QStringLiteral("Banco"), QString(), QStringLiteral("abcdefghijkl"),
                                                          {QStringLiteral("banco.com.br")}));
    const QString netflix = semear(TipoDeItem::senha, senha(QStringLiteral("Netflix"), QStringLiteral("ana@exemplo.com"),
                                                            QStringLiteral("abc"), {QStringLiteral("netflix.com")}, {}, true));
    const QString semTitulo = semear(TipoDeItem::senha, senha(QString(), QStringLiteral("bia"), QStringLiteral("x"),
                                                              {QStringLiteral("so-no-site.org")}));
    semear(TipoDeItem::nota, DadosDeNota(QStringLiteral("Aviso"), QStringLiteral("Banco"), false).json);
    abrirSecao(QStringLiteral("senhas"));

    // Favourite first, then by title; the note is not listed; the first one is chosen.
    EXPECT_EQ(idsListados("SenhasNoMac"), (QStringList{netflix, banco, semTitulo}));
    EXPECT_EQ(escolhida("SenhasNoMac"), netflix);
    QQuickItem *linha = linhaDe(semTitulo);
    EXPECT_EQ(em(linha, "tituloDaLinha")->property("text").toString(), QStringLiteral("so-no-site.org"));
    EXPECT_EQ(em(linha, "subtituloDaLinha")->property("text").toString(), QStringLiteral("bia"));
    EXPECT_EQ(em(linhaDe(banco), "subtituloDaLinha")->property("text").toString(), QString());
    EXPECT_EQ(texto("tituloDaSenha"), QStringLiteral("Netflix"));
    EXPECT_EQ(texto("dominioDaSenha"), QStringLiteral("netflix.com"));

    // The search looks at the stored title, the user and the sites; the choice never follows it.
    const struct {
        const char *busca;
        QStringList esperados;
    } buscas[] = {
        {"SO-NO-SITE", {semTitulo}},
        {"ana@", {netflix}},
        {" \t ", {netflix, banco, semTitulo}},
        {"nada disso", {}},
    };
    for (const auto &caso : buscas) {
        SCOPED_TRACE(caso.busca);
        buscar(QString::fromUtf8(caso.busca));
        EXPECT_EQ(idsListados("SenhasNoMac"), caso.esperados);
        EXPECT_EQ(escolhida("SenhasNoMac"), netflix);
        EXPECT_EQ(texto("tituloDaSenha"), QStringLiteral("Netflix"));
    }
    buscar(QString());

    // A click chooses; without a user name there is no user row.
    clicar(linhaDe(banco));
    EXPECT_EQ(escolhida("SenhasNoMac"), banco);
    EXPECT_EQ(texto("tituloDaSenha"), QStringLiteral("Banco"));
    EXPECT_FALSE(campo("campoUsuario")->isVisible());
    EXPECT_TRUE(campo("campoSenha")->isVisible());
    EXPECT_FALSE(campo("campoCodigo")->isVisible());

    // Deleted elsewhere: the placeholder, with the stale choice kept.
    static_cast<void>(servidor.estado().apagarItem(email, banco));
    Testes::executar(estado->cofre()->sincronizar());
    QCoreApplication::processEvents();
    EXPECT_EQ(escolhida("SenhasNoMac"), banco);
    EXPECT_TRUE(item(QStringLiteral("escolhaUmaSenha"))->isVisible());
    EXPECT_EQ(em(item(QStringLiteral("escolhaUmaSenha")), "tituloDoVazio")->property("text").toString(),
              QStringLiteral("Escolha uma senha"));
}

TEST_F(SecoesDeItens, SenhaMascaradaReveladaECopiada)
{
    const QString netflix = semear(TipoDeItem::senha, senha(QStringLiteral("Netflix"), QStringLiteral("ana@exemplo.com"),
                                                            QStringLiteral("abc"), {QStringLiteral("netflix.com")},
                                                            QStringLiteral("Perfil: Ana"), true));
    const QString longa = semear(TipoDeItem::senha, senha(QStringLiteral("Longa"), QStringLiteral("l"),
                                                          QString(40, QLatin1Char('k')), {}));
    const QString vazia = semear(TipoDeItem::senha, senha(QStringLiteral("Vazia"), QStringLiteral("v"), QString(), {}));
    abrirSecao(QStringLiteral("senhas"));
    ASSERT_EQ(escolhida("SenhasNoMac"), netflix);

    EXPECT_EQ(valorDe("campoSenha"), bolinhas(8));
    EXPECT_EQ(em(campo("campoSenha"), "botaoMostrar")->property("simbolo").toString(), QStringLiteral("eye"));
    EXPECT_EQ(em(campo("campoSenha"), "botaoMostrar")->property("dica").toString(), QStringLiteral("Mostrar"));
    EXPECT_EQ(em(campo("campoUsuario"), "valorSelecionavel")->property("text").toString(), QStringLiteral("ana@exemplo.com"));
    EXPECT_EQ(texto("notasDaSenha"), QStringLiteral("Perfil: Ana"));
    capturar(QStringLiteral("senhas-mascarada"));

    clicar(em(campo("campoSenha"), "botaoMostrar"));
    EXPECT_EQ(valorDe("campoSenha"), QStringLiteral("abc"));
    EXPECT_EQ(em(campo("campoSenha"), "botaoMostrar")->property("simbolo").toString(), QStringLiteral("eye.slash"));
    EXPECT_EQ(em(campo("campoSenha"), "botaoMostrar")->property("dica").toString(), QStringLiteral("Esconder"));
    capturar(QStringLiteral("senhas-revelada"));

    // Dragging over the revealed password or the notes leaves the primary selection alone.
    QClipboard *area = QGuiApplication::clipboard();
    if (area->supportsSelection()) {
        area->setText(QStringLiteral("seleção da pessoa"), QClipboard::Selection);
        arrastarSobre(em(campo("campoSenha"), "valorDoCampo"));
        arrastarSobre(item(QStringLiteral("notasDaSenha")));
        EXPECT_EQ(area->text(QClipboard::Selection), QStringLiteral("seleção da pessoa"));
    }

    // Copies: the real password even while masked, then the user name.
    area->setText(QStringLiteral("antes"));
    clicar(em(campo("campoSenha"), "botaoCopiar"));
    esperarCopia(QStringLiteral("abc"), QStringLiteral("Senha copiada"), 1);
    clicar(em(campo("campoUsuario"), "botaoCopiar"));
    esperarCopia(QStringLiteral("ana@exemplo.com"), QStringLiteral("Usuário copiado"), 2);

    // Another choice hides the password again: a fresh detail, masked to at most 16.
    clicar(linhaDe(longa));
    EXPECT_EQ(valorDe("campoSenha"), bolinhas(16));
    clicar(linhaDe(netflix));
    EXPECT_EQ(valorDe("campoSenha"), bolinhas(8));

    // No password: masked as 8, nothing to copy; the clipboard keeps what the person had.
    clicar(linhaDe(vazia));
    EXPECT_EQ(valorDe("campoSenha"), bolinhas(8));
    area->setText(QStringLiteral("o que a pessoa copiou"));
    EXPECT_FALSE(em(campo("campoSenha"), "botaoCopiar")->isEnabled());
    clicar(em(campo("campoSenha"), "botaoCopiar"));
    EXPECT_EQ(area->text(), QStringLiteral("o que a pessoa copiou"));
    EXPECT_EQ(estado->avisos()->contadorDeCopias(), 2);
}

TEST_F(SecoesDeItens, CodigoAnexadoAoVivoESites)
{
    // RFC 6238's SHA-1 key: 287082 at 59 s, 081804 at 1111111109 s.
    const QString comCodigoId = semear(
        TipoDeItem::senha,
        comCodigo(senha(QStringLiteral("GitHub"), QStringLiteral("ana"), QStringLiteral("s"),
                        {QStringLiteral("github.com"), QStringLiteral("https://x.com/entrar"),
                         QStringLiteral("file:///etc/passwd"), QStringLiteral("exemplo .com"), QStringLiteral("corvane://abrir")},
                        {}, true),
                  QStringLiteral("GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ")));
    const QString quebrado = semear(TipoDeItem::senha,
                                    comCodigo(senha(QStringLiteral("Quebrado"), QStringLiteral("q"), QStringLiteral("s"), {}),
                                              QStringLiteral("1!!")));
    abrirSecao(QStringLiteral("senhas"));
    ASSERT_EQ(escolhida("SenhasNoMac"), comCodigoId);

    irPara(59);
    EXPECT_TRUE(campo("campoCodigo")->isVisible());
    EXPECT_EQ(em(campo("campoCodigo"), "rotuloDoCampo")->property("text").toString(), QStringLiteral("Código de verificação"));
    EXPECT_EQ(valorDe("campoCodigo"), QStringLiteral("287 082"));
    capturar(QStringLiteral("senhas-codigo-e-sites"));
    clicar(em(campo("campoCodigo"), "botaoCopiar"));
    esperarCopia(QStringLiteral("287082"), QStringLiteral("Código copiado"), 1); // the bare digits
    irPara(1111111109);
    EXPECT_EQ(valorDe("campoCodigo"), QStringLiteral("081 804"));

    // Sites in stored order; only web addresses are links, one that forms no address has no row.
    const struct {
        const char *texto;
        bool link;
    } sites[] = {{"github.com", true}, {"https://x.com/entrar", true}, {"file:///etc/passwd", false}, {"corvane://abrir", false}};
    QList<QUrl> abertos;
    RegrasDasSenhas::usarAbridor([&abertos](const QUrl &url) { abertos.append(url); });
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(sites[i].texto);
        QQuickItem *site = item(QStringLiteral("site-%1").arg(i));
        ASSERT_TRUE(site);
        EXPECT_EQ(site->property("texto").toString(), QString::fromUtf8(sites[i].texto));
        EXPECT_EQ(site->property("link").toBool(), sites[i].link);
        clicar(em(site, "textoDoSite"));
    }
    RegrasDasSenhas::usarAbridor({});
    int linhasDeSite = 0;
    for (QQuickItem *filho : item(QStringLiteral("blocoDosSites"))->childItems())
        linhasDeSite += filho->objectName().startsWith(QStringLiteral("site-"));
    EXPECT_EQ(linhasDeSite, 4);
    EXPECT_EQ(abertos, (QList<QUrl>{QUrl(QStringLiteral("https://github.com")), QUrl(QStringLiteral("https://x.com/entrar"))}));

    // A code that cannot be computed: an empty value and nothing to copy.
    clicar(linhaDe(quebrado));
    EXPECT_TRUE(campo("campoCodigo")->isVisible());
    EXPECT_EQ(valorDe("campoCodigo"), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("o que a pessoa copiou"));
    clicar(em(campo("campoCodigo"), "botaoCopiar"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("o que a pessoa copiou"));
    EXPECT_EQ(estado->avisos()->contadorDeCopias(), 1);
}

TEST_F(SecoesDeItens, EditarPeloCabecalhoEPeloMenu)
{
    const QString banco = semear(TipoDeItem::senha, senha(QStringLiteral("Banco"), QString(), QStringLiteral("y"), {}));
    const QString nota = semear(TipoDeItem::nota, DadosDeNota(QStringLiteral("Wi-Fi"), QStringLiteral("x"), false).json);
    const struct {
        const char *secao;
        const char *tipo;
        QString id;
        const char *botao;
    } casos[] = {{"senhas", "senha", banco, "botaoEditarSenha"}, {"notas", "nota", nota, "botaoEditarNota"}};
    abrirSecao(QStringLiteral("senhas"));
    const auto editando = [this](const char *tipo, const QString &id) {
        const QVariantMap edicao = vista()->edicao().toMap();
        const bool certo = edicao.value(QStringLiteral("tipo")).toString() == QString::fromLatin1(tipo) &&
                           edicao.value(QStringLiteral("id")).toString() == id;
        vista()->fecharEdicao();
        avancar(1000);
        return certo;
    };
    // Online the header's button edits; offline only the list's context menu does.
    for (const bool online : {true, false}) {
        if (!online) {
            servidor.falharProximas(-1, Servidor::Falha::conexaoDerrubada());
            Testes::executar(estado->cofre()->sincronizar());
            ASSERT_FALSE(estado->podeSincronizar());
        }
        for (const auto &caso : casos) {
            SCOPED_TRACE(std::string(caso.secao) + (online ? " online" : " offline"));
            vista()->definirSecao(QString::fromLatin1(caso.secao));
            avancar(1000);
            QQuickItem *botao = item(QString::fromLatin1(caso.botao));
            EXPECT_EQ(botao->isEnabled(), online);
            clicar(botao);
            EXPECT_EQ(editando(caso.tipo, caso.id), online);

            clicar(linhaDe(caso.id), Qt::RightButton);
            avancar(300);
            clicar(item(QStringLiteral("menuEditarItem")));
            EXPECT_TRUE(editando(caso.tipo, caso.id));
        }
    }
}

TEST_F(SecoesDeItens, SemItensEstadoIlustrado)
{
    semear(TipoDeItem::codigo, codigo(QStringLiteral("GitHub"), QStringLiteral("ana")));
    const struct {
        const char *secao;
        const char *vazio;
        const char *titulo;
        const char *acao;
        const char *tipo;
    } casos[] = {{"senhas", "vazioSemSenhas", "Nenhuma senha ainda", "Guardar uma senha", "senha"},
                 {"notas", "vazioSemNotas", "Nenhuma nota ainda", "Nova nota", "nota"}};
    abrirSecao(QStringLiteral("senhas"));
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.secao);
        vista()->definirSecao(QString::fromLatin1(caso.secao));
        buscar(QStringLiteral("qualquer"));
        avancar(1000);
        QQuickItem *vazio = item(QString::fromLatin1(caso.vazio));
        ASSERT_TRUE(vazio);
        EXPECT_EQ(em(vazio, "tituloDoVazio")->property("text").toString(), QString::fromUtf8(caso.titulo));
        EXPECT_EQ(em(vazio, "botaoDoVazio")->property("text").toString(), QString::fromUtf8(caso.acao));
        clicar(em(vazio, "botaoDoVazio"));
        const QVariantMap edicao = vista()->edicao().toMap();
        EXPECT_EQ(edicao.value(QStringLiteral("tipo")).toString(), QString::fromLatin1(caso.tipo));
        EXPECT_TRUE(edicao.value(QStringLiteral("id")).isNull());
        vista()->fecharEdicao();
        avancar(1000);
    }
}

TEST_F(SecoesDeItens, NotasListaBuscaEDetalhe)
{
    const QString wifi = semear(TipoDeItem::nota, DadosDeNota(QStringLiteral("Wi-Fi"),
                                                              QStringLiteral("rede: casa\nsenha: 1234\nfim"), true).json);
    const QString semTitulo = semear(TipoDeItem::nota, DadosDeNota(QString(), QStringLiteral("segredo"), false).json);
    const QString alarme = semear(TipoDeItem::nota, DadosDeNota(QStringLiteral("Alarme"), QStringLiteral("4321"), false).json);
    abrirSecao(QStringLiteral("notas"));

    EXPECT_EQ(idsListados("NotasNoMac"), (QStringList{wifi, alarme, semTitulo}));
    EXPECT_EQ(escolhida("NotasNoMac"), wifi);
    QQuickItem *linha = linhaDe(wifi);
    EXPECT_EQ(em(linha, "subtituloDaLinha")->property("text").toString(), QStringLiteral("rede: casa"));
    EXPECT_EQ(texto("tituloDaNota"), QStringLiteral("Wi-Fi"));
    EXPECT_EQ(texto("textoDaNota"), QStringLiteral("rede: casa\nsenha: 1234\nfim"));
    capturar(QStringLiteral("notas-escolhida"));

    // The note's text cannot be dragged into the primary selection.
    QClipboard *area = QGuiApplication::clipboard();
    if (area->supportsSelection()) {
        area->setText(QStringLiteral("seleção da pessoa"), QClipboard::Selection);
        arrastarSobre(item(QStringLiteral("textoDaNota")));
        EXPECT_EQ(area->text(QClipboard::Selection), QStringLiteral("seleção da pessoa"));
    }

    const struct {
        const char *busca;
        QStringList esperados;
    } buscas[] = {{"sem título", {semTitulo}}, {"1234", {wifi}}, {"   ", {wifi, alarme, semTitulo}}, {"xyz", {}}};
    for (const auto &caso : buscas) {
        SCOPED_TRACE(caso.busca);
        buscar(QString::fromUtf8(caso.busca));
        EXPECT_EQ(idsListados("NotasNoMac"), caso.esperados);
        EXPECT_EQ(escolhida("NotasNoMac"), wifi);
    }
    buscar(QString());

    clicar(linhaDe(semTitulo));
    EXPECT_EQ(texto("tituloDaNota"), QStringLiteral("Sem título"));
    EXPECT_EQ(texto("textoDaNota"), QStringLiteral("segredo"));

    // The arrow keys move the choice within the list and stop at its ends.
    const struct {
        Qt::Key tecla;
        QString esperada;
    } teclas[] = {{Qt::Key_Down, semTitulo}, {Qt::Key_Up, alarme}, {Qt::Key_Up, wifi}, {Qt::Key_Up, wifi}};
    for (const auto &passo : teclas) {
        QTest::keyClick(janela(), passo.tecla);
        EXPECT_EQ(escolhida("NotasNoMac"), passo.esperada);
    }
    EXPECT_EQ(texto("tituloDaNota"), QStringLiteral("Wi-Fi"));
}

TEST_F(SecoesDeItens, BuscaQueEscondeTudoAntesDeAparecerNaoEscolhe)
{
    semear(TipoDeItem::nota, DadosDeNota(QStringLiteral("Wi-Fi"), QStringLiteral("x"), false).json);
    instalarSecoes();
    // The search is typed while the gate still stands; the section appears only after it.
    vista()->definirSecao(QStringLiteral("notas"));
    buscar(QStringLiteral("nada combina"));
    ASSERT_TRUE(Testes::executar(estado->liberarSecoes()));
    avancar(1000);
    EXPECT_EQ(escolhida("NotasNoMac"), QString());
    QQuickItem *vazio = item(QStringLiteral("escolhaUmaNota"));
    EXPECT_TRUE(vazio->isVisible());
    EXPECT_EQ(em(vazio, "tituloDoVazio")->property("text").toString(), QStringLiteral("Escolha uma nota"));
    // Clearing the search lists the note again without choosing it.
    buscar(QString());
    EXPECT_EQ(idsListados("NotasNoMac").size(), 1);
    EXPECT_EQ(escolhida("NotasNoMac"), QString());
    EXPECT_TRUE(vazio->isVisible());
}

} // namespace
