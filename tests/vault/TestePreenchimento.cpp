// Consuming the AutoFill extension's exchange files at the end of a synchronisation.
#include "AmbienteDoCofre.h"

#include "core/ArquivosDoPreenchimento.h"

#include <QFile>
#include <QJsonArray>
#include <QUuid>

namespace {

QString novoId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
}

QByteArray lerArquivo(const QString &caminho)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    return arquivo.readAll();
}

QSet<QString> idsNoArquivo()
{
    QSet<QString> ids;
    for (const NovaDoPreenchimento &nova : NovaDoPreenchimento::ler())
        ids.insert(nova.id);
    return ids;
}

} // namespace

class TestePreenchimento : public AmbienteDoCofre {
protected:
    // A password the extension saved, sealed with `comChave` (the vault key by default).
    QString deixarSenhaNova(const QByteArray &bytes, std::optional<QString> id = std::nullopt,
                            std::optional<QByteArray> comChave = std::nullopt)
    {
        const QString idDaNova = id.value_or(novoId());
        const QString dados =
            Cripto::selarEnvelope(bytes, comChave.value_or(chave), Cripto::rotuloDoItem(idDaNova));
        EXPECT_TRUE(NovaDoPreenchimento::acrescentar({idDaNova, dados, QDateTime::currentDateTimeUtc()}));
        return idDaNova;
    }
    QString deixarSenhaNova(const ObjetoJSON &conteudo, std::optional<QByteArray> comChave = std::nullopt)
    {
        return deixarSenhaNova(ValorJSON::objeto(conteudo).escritoEmUTF8(), std::nullopt, comChave);
    }

    void sincronizar(Cofre &cofre) { Testes::executar(cofre.sincronizar()); }
};

TEST_F(TestePreenchimento, SenhaNovaViraItemComOMesmoIdESaiDoArquivo)
{
    const QString id = deixarSenhaNova(senha(QStringLiteral("Loja"), QStringLiteral("loja.com")));
    const auto cofre = novoCofre();
    sincronizar(*cofre);

    const auto puts = pedidos("PUT", "/v1/cofre/itens/");
    ASSERT_EQ(puts.size(), 1);
    EXPECT_EQ(puts.first().caminho, QStringLiteral("/v1/cofre/itens/") + id);
    EXPECT_TRUE(puts.first().json().value(QStringLiteral("revisaoEsperada")).isNull());
    const auto item = cofre->itemAberto(id);
    ASSERT_TRUE(item.has_value());
    EXPECT_EQ(item->conteudo.tipo(), TipoDeItem::senha);
    EXPECT_EQ(item->titulo(), QStringLiteral("Loja"));
    EXPECT_TRUE(idsNoArquivo().isEmpty());
    EXPECT_FALSE(cofre->sincronizando());
    conferirCopia(*cofre);
}

TEST_F(TestePreenchimento, EntradasQueNuncaSobemSaemSemPedido)
{
    const QString jaNoCofre = novoId();
    gravarNoServidor(jaNoCofre, TipoDeItem::senha, senha(QStringLiteral("Já")));
    deixarSenhaNova(ValorJSON::objeto(senha(QStringLiteral("Já"))).escritoEmUTF8(), jaNoCofre);
    deixarSenhaNova(senha(QStringLiteral("Outra chave")), Cripto::bytesAleatorios(32));
    deixarSenhaNova(QByteArrayLiteral("[1,2,3]"));
    deixarSenhaNova(QByteArrayLiteral("isto não é json"));

    const auto cofre = novoCofre();
    sincronizar(*cofre);
    EXPECT_TRUE(pedidos("PUT", "").isEmpty());
    EXPECT_TRUE(idsNoArquivo().isEmpty());
    EXPECT_EQ(cofre->abertos().size(), 1);
}

TEST_F(TestePreenchimento, SenhaQueNaoSubiuFicaNoArquivoEVaiNaProximaSincronia)
{
    const QString offline = deixarSenhaNova(senha(QStringLiteral("Primeira")));
    const QString jaNoCofre = novoId();
    gravarNoServidor(jaNoCofre, TipoDeItem::senha, senha(QStringLiteral("Segunda")));
    deixarSenhaNova(ValorJSON::objeto(senha(QStringLiteral("Segunda"))).escritoEmUTF8(), jaNoCofre);

    const auto cofre = novoCofre();
    servidor.falharProximas(2, Servidor::Falha::conexaoDerrubada(), "PUT");
    sincronizar(*cofre);
    EXPECT_EQ(idsNoArquivo(), QSet<QString>{offline});
    EXPECT_TRUE(cofre->semConexao()); // the failed upload marked it after the sync cleared it

    servidor.limparFalhas();
    sincronizar(*cofre);
    EXPECT_TRUE(idsNoArquivo().isEmpty());
    EXPECT_TRUE(cofre->abertos().contains(offline));
}

TEST_F(TestePreenchimento, ArquivoIlegivelOuSincroniaFalhaNaoMexemEmNada)
{
    const QString caminho = *NovaDoPreenchimento::urlDoArquivo();
    {
        QFile arquivo(caminho);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write("[{\"id\": \"meio escrito\"");
    }
    const QByteArray antes = lerArquivo(caminho);
    const auto cofre = novoCofre();
    sincronizar(*cofre);
    EXPECT_EQ(lerArquivo(caminho), antes);
    EXPECT_TRUE(pedidos("PUT", "").isEmpty());

    QFile::remove(caminho);
    const QString id = deixarSenhaNova(senha(QStringLiteral("Espera")));
    servidor.falharProximas(1, Servidor::Falha::erro(500, QStringLiteral("erro")), "GET", "/v1/cofre");
    sincronizar(*cofre);
    EXPECT_EQ(idsNoArquivo(), QSet<QString>{id});
    EXPECT_TRUE(pedidos("PUT", "").isEmpty());
}

TEST_F(TestePreenchimento, VinculosAcrescentamDominiosNovosNumaSoGravacao)
{
    DadosDeCodigo dados(codigo(QStringLiteral("Acme")));
    dados.definirSites({QStringLiteral("github.com")});
    dados.json.definir(QStringLiteral("chaveDoFuturo"), ValorJSON::texto(QStringLiteral("fica")));
    gravarNoServidor(QStringLiteral("c"), TipoDeItem::codigo, dados.json);
    for (const char *dominio : {"github.com", "gitlab.com", "exemplo.org"})
        ASSERT_TRUE(VinculoDoPreenchimento::acrescentar({QStringLiteral("c"), QString::fromLatin1(dominio)}));

    const auto cofre = novoCofre();
    sincronizar(*cofre);
    ASSERT_EQ(pedidos("PUT", "/v1/cofre/itens/c").size(), 1);
    EXPECT_EQ(pedidos("PUT", "/v1/cofre/itens/c").first().json().value(QStringLiteral("revisaoEsperada")).toInt(), 1);
    const DadosDeCodigo depois = *cofre->itemAberto(QStringLiteral("c"))->conteudo.codigo();
    EXPECT_EQ(depois.json.sites(), (QList<QString>{QStringLiteral("github.com"), QStringLiteral("gitlab.com"),
                                                   QStringLiteral("exemplo.org")}));
    // Only "sites" changed, in place; unknown keys are written back as they were.
    ASSERT_EQ(depois.json.pares.size(), dados.json.pares.size());
    for (qsizetype i = 0; i < dados.json.pares.size(); ++i) {
        EXPECT_EQ(depois.json.pares[i].chave, dados.json.pares[i].chave);
        if (dados.json.pares[i].chave != QStringLiteral("sites")) {
            EXPECT_EQ(depois.json.pares[i].valor, dados.json.pares[i].valor);
        }
    }
    EXPECT_TRUE(VinculoDoPreenchimento::ler().isEmpty());
}

TEST_F(TestePreenchimento, VinculosQueNaoSeAplicamSaemSemGravacao)
{
    DadosDeCodigo dados(codigo(QStringLiteral("Acme")));
    dados.definirSites({QStringLiteral("acme.com")});
    gravarNoServidor(QStringLiteral("c"), TipoDeItem::codigo, dados.json);
    gravarNoServidor(QStringLiteral("n"), TipoDeItem::nota, nota(QStringLiteral("Nota")));
    for (const VinculoDoPreenchimento &vinculo :
         {VinculoDoPreenchimento{QStringLiteral("c"), QStringLiteral("acme.com")},
          VinculoDoPreenchimento{QStringLiteral("n"), QStringLiteral("nota.com")},
          VinculoDoPreenchimento{QStringLiteral("sumido"), QStringLiteral("x.com")}})
        ASSERT_TRUE(VinculoDoPreenchimento::acrescentar(vinculo));

    const auto cofre = novoCofre();
    sincronizar(*cofre);
    EXPECT_TRUE(pedidos("PUT", "").isEmpty());
    EXPECT_TRUE(VinculoDoPreenchimento::ler().isEmpty());
}

TEST_F(TestePreenchimento, VinculoComConflitoFicaESeAplicaNaVersaoNova)
{
    gravarNoServidor(QStringLiteral("c"), TipoDeItem::codigo, codigo(QStringLiteral("Acme")));
    ASSERT_TRUE(VinculoDoPreenchimento::acrescentar({QStringLiteral("c"), QStringLiteral("acme.com")}));
    const auto cofre = novoCofre();
    servidor.falharProximas(1, Servidor::Falha::erro(409, QStringLiteral("conflito-de-revisao")), "PUT");
    sincronizar(*cofre);
    EXPECT_EQ(VinculoDoPreenchimento::ler().size(), 1);

    // Another device renamed the code meanwhile; the next run applies the link to that version.
    gravarNoServidor(QStringLiteral("c"), TipoDeItem::codigo, codigo(QStringLiteral("Acme Novo")));
    sincronizar(*cofre);
    EXPECT_TRUE(VinculoDoPreenchimento::ler().isEmpty());
    const auto item = cofre->itemAberto(QStringLiteral("c"));
    EXPECT_EQ(item->titulo(), QStringLiteral("Acme Novo"));
    EXPECT_EQ(item->conteudo.codigo()->json.sites(), QList<QString>{QStringLiteral("acme.com")});
    conferirCopia(*cofre);
}
