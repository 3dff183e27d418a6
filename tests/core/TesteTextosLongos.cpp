// Long texts whose UTF-8 is smaller are held as those bytes; every other text as QString. The form
// must never show: readings, equality and the written bytes are those of the text itself.
#include "core/ValorJSON.h"

#include <gtest/gtest.h>

namespace {

const QString x64(TextosCompartilhados::maiorTexto, QLatin1Char('x'));
const QString x65 = x64 + QLatin1Char('x');

QString vezes(const QString &texto, int n)
{
    return texto.repeated(n);
}

// The writer's text for a QString, the reference every form must match byte for byte.
QByteArray escritoComoQString(const QString &texto)
{
    QByteArray saida;
    ValorJSON::escreverTextoEm(saida, texto);
    return saida;
}

} // namespace

TEST(TextosLongos, FormaLeituraEscritaEIdaEVolta)
{
    struct Caso {
        const char *nome;
        QString texto;
        bool emUTF8;  // held as UTF-8 once built
        QString lido; // what reading the written bytes gives, when not the text itself
    };
    const QString surrogatoSozinho(QChar(0xD800));
    const Caso casos[] = {
        {"ASCII no limite", x64, false, {}},
        {"ASCII acima do limite", x65, true, {}},
        {"escapes", x64 + QStringLiteral("\"\\\n\t\r\b\f") + QChar(1) + QChar(0x1F) + QChar(0x7F) + QStringLiteral("/"), true, {}},
        {"acentos", vezes(QStringLiteral("Ação é coração; "), 6), true, {}},
        {"só acentos: tamanhos iguais", vezes(QStringLiteral("é"), 40), false, {}},
        {"CJK", vezes(QStringLiteral("密码保险库"), 8), false, {}},
        {"emoji: tamanhos iguais", vezes(QStringLiteral("😀"), 20), false, {}},
        {"emoji entre ASCII", x64 + QStringLiteral("😀🔑") + x64, true, {}},
        {"surrogato alto sozinho", x65 + surrogatoSozinho, false, x65 + QChar(0xFFFD)},
        {"surrogato baixo sozinho no início", QChar(0xDC00) + x65, false, QChar(0xFFFD) + x65},
        {"surrogatos invertidos", x65 + QChar(0xDE00) + QChar(0xD83D), false, x65 + QChar(0xFFFD) + QChar(0xFFFD)},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const ValorJSON valor = ValorJSON::texto(caso.texto);
        EXPECT_EQ(valor.textoEmUTF8() != nullptr, caso.emUTF8);
        EXPECT_EQ(valor.comoTexto(), caso.texto);
        EXPECT_EQ(ObjetoJSON({{"t", valor}}).texto("t"), caso.texto);

        const QByteArray escrito = valor.escritoEmUTF8();
        EXPECT_EQ(escrito, escritoComoQString(caso.texto));
        const QString esperado = caso.lido.isNull() ? caso.texto : caso.lido;
        const ValorJSON lido = ValorJSON::ler(escrito);
        const TextosCompartilhados escopo; // a long text is never shared, and reads the same
        for (const ValorJSON &relido : {lido, ValorJSON::lerEstrito(escrito), ValorJSON::ler(escrito)}) {
            EXPECT_EQ(relido.comoTexto(), esperado);
            EXPECT_EQ(relido, ValorJSON::texto(esperado));
            EXPECT_EQ(relido.textoEmUTF8() != nullptr, ValorJSON::texto(esperado).textoEmUTF8() != nullptr);
            EXPECT_EQ(relido.escritoEmUTF8(), escrito);
        }
        EXPECT_EQ(lido == valor, caso.lido.isNull());
    }
}

TEST(TextosLongos, LeituraComEscapesEBytesMalFormados)
{
    struct Caso {
        const char *nome;
        QByteArray json;
        QString esperado;
        bool estritoAceita;
    };
    const QByteArray x65u8 = x65.toUtf8();
    const Caso casos[] = {
        {"par de surrogatos escapado", '"' + x65u8 + "\\ud83d\\ude00\"", x65 + QStringLiteral("😀"), true},
        {"surrogato sozinho escapado", '"' + x65u8 + "\\ud800x\"", x65 + QChar(0xFFFD) + 'x', false},
        {"acentos escapados", "\"" + QByteArray("A\\u00e7\\u00e3o ").repeated(15) + '"', vezes(QStringLiteral("Ação "), 15), true},
        {"byte mal formado", '"' + x65u8 + "\xff\"", x65 + QChar(0xFFFD), false},
        {"sequência cortada", '"' + x65u8 + "\xe2\x82\"", x65 + QChar(0xFFFD), false},
        {"surrogato em UTF-8", '"' + x65u8 + "\xed\xa0\x80\"", x65 + QString(3, QChar(0xFFFD)), false},
        {"CJK cru", '"' + vezes(QStringLiteral("密码"), 20).toUtf8() + '"', vezes(QStringLiteral("密码"), 20), true},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const ValorJSON lido = ValorJSON::ler(caso.json);
        const ValorJSON emMemoria = ValorJSON::texto(caso.esperado);
        EXPECT_EQ(lido.comoTexto(), caso.esperado);
        EXPECT_EQ(lido, emMemoria);
        EXPECT_EQ(lido.textoEmUTF8() != nullptr, emMemoria.textoEmUTF8() != nullptr);
        EXPECT_EQ(lido.escritoEmUTF8(), emMemoria.escritoEmUTF8());
        if (caso.estritoAceita)
            EXPECT_EQ(ValorJSON::lerEstrito(caso.json), lido);
        else
            EXPECT_THROW((void)ValorJSON::lerEstrito(caso.json), std::exception);
    }
}

TEST(TextosLongos, IgualdadePorEquivalenciaCanonica)
{
    const QString composto = vezes(QStringLiteral("é"), 40);                // 80 bytes: held as QString
    const QString decomposto = vezes(QStringLiteral("e") + QChar(0x0301), 40); // 120 bytes, 160 in UTF-16
    const QString acao = x64 + vezes(QStringLiteral("ação"), 5);
    const QString acaoDecomposta = x64 + vezes(QStringLiteral("ac") + QChar(0x0327) + QStringLiteral("a") + QChar(0x0303) + QStringLiteral("o"), 5);
    struct Caso {
        const char *nome;
        QString a;
        QString b;
        bool iguais;
    };
    const Caso casos[] = {
        {"mesmos bytes", x65, QString(x65), true},
        {"ASCII diferente", x65, x64 + QLatin1Char('y'), false},
        {"comprimentos diferentes", x65, x65 + QLatin1Char('x'), false},
        {"composto e decomposto, formas diferentes", composto, decomposto, true},
        {"composto e decomposto, ambos UTF-8", acao, acaoDecomposta, true},
        {"acentos diferentes", acao, x64 + vezes(QStringLiteral("açao"), 5), false},
        {"longo e curto", x65, x64, false},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        const ValorJSON a = ValorJSON::texto(caso.a);
        const ValorJSON b = ValorJSON::texto(caso.b);
        const ValorJSON bLido = ValorJSON::ler(b.escritoEmUTF8());
        EXPECT_EQ(a == b, caso.iguais);
        EXPECT_EQ(b == a, caso.iguais);
        EXPECT_EQ(a == bLido, caso.iguais);
    }
    EXPECT_EQ(ValorJSON::texto(composto).textoEmUTF8(), nullptr);
    EXPECT_NE(ValorJSON::texto(decomposto).textoEmUTF8(), nullptr);
}

TEST(TextosLongos, LeiturasDoObjetoDevolvemOTexto)
{
    const QString site = QStringLiteral("https://www.exemplo.com.br/entrar?voltar=") + x64;
    const QString nota = vezes(QStringLiteral("Linha com acentuação\n"), 10);
    const ValorJSON lido = ValorJSON::ler(
        ValorJSON::objeto(ObjetoJSON({{"texto", ValorJSON::texto(nota)},
                                      {"sites", ValorJSON::lista({ValorJSON::texto(site), ValorJSON::numero(1),
                                                                  ValorJSON::texto(QStringLiteral("a.com"))})}}))
            .escritoEmUTF8());
    const ObjetoJSON &objeto = *lido.comoObjeto();
    EXPECT_EQ(objeto.texto("texto"), nota);
    EXPECT_EQ(objeto.sites(), QList<QString>({site, QStringLiteral("a.com")}));
    EXPECT_NE(objeto.valor("texto")->textoEmUTF8(), nullptr);
}
