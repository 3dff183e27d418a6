// Saving, deleting, batch import and the account refresh against the development server.
#include "AmbienteDoCofre.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonValue>
#include <QSignalSpy>
#include <QUuid>

namespace {

template <typename T>
std::optional<ErroDoCofre> erroDoCofreDe(QCoro::Task<T> tarefa)
{
    try {
        static_cast<void>(Testes::executar(std::move(tarefa)));
    } catch (const ErroDoCofre &erro) {
        return erro;
    }
    return std::nullopt;
}

template <typename T>
std::optional<ErroDaAPI> erroDaAPIDe(QCoro::Task<T> tarefa)
{
    try {
        static_cast<void>(Testes::executar(std::move(tarefa)));
    } catch (const ErroDaAPI &erro) {
        return erro;
    }
    return std::nullopt;
}

bool ehUuidMinusculo(const QString &id)
{
    return id.size() == 36 && id == id.toLower() && !QUuid::fromString(id).isNull();
}

} // namespace

class TesteEscrita : public AmbienteDoCofre {
protected:
    std::unique_ptr<Cofre> cofreSincronizado()
    {
        auto cofre = novoCofre();
        Testes::executar(cofre->sincronizar());
        servidor.limparPedidos();
        return cofre;
    }
};

TEST_F(TesteEscrita, ItemNovoGanhaUuidMinusculoEVaiSemRevisaoEsperada)
{
    const auto cofre = cofreSincronizado();
    const qint64 revisaoAntes = cofre->revisao();
    const ItemAberto salvo = Testes::executar(
        cofre->guardar(std::nullopt, senha(QStringLiteral("Banco"), QStringLiteral("banco.com")), TipoDeItem::senha, 99));

    EXPECT_TRUE(ehUuidMinusculo(salvo.id)) << salvo.id.toStdString();
    const auto puts = pedidos("PUT", "/v1/cofre/itens/");
    ASSERT_EQ(puts.size(), 1);
    EXPECT_EQ(puts.first().caminho, QStringLiteral("/v1/cofre/itens/") + salvo.id);
    ASSERT_TRUE(puts.first().json().contains(QStringLiteral("revisaoEsperada")));
    EXPECT_TRUE(puts.first().json().value(QStringLiteral("revisaoEsperada")).isNull());
    EXPECT_EQ(puts.first().json().value(QStringLiteral("tipo")).toString(), QStringLiteral("senha"));

    EXPECT_EQ(cofre->itemAberto(salvo.id), salvo);
    EXPECT_EQ(salvo.titulo(), QStringLiteral("Banco"));
    EXPECT_EQ(cofre->revisao(), revisaoAntes); // only a sync moves it
    EXPECT_TRUE(cofre->ordem().isEmpty());
    conferirCopia(*cofre);
    aguardarIdentidades();
    EXPECT_TRUE(identidades->substituicoes().last().contains(IdentidadeDoPreenchimento(
        IdentidadeDeSenha{QStringLiteral("banco.com"), QStringLiteral("ana"), salvo.id})));
}

TEST_F(TesteEscrita, RevisaoEsperadaVemDoChamadorDoItemGuardadoOuENula)
{
    gravarNoServidor(QStringLiteral("guardado"), TipoDeItem::nota, nota(QStringLiteral("G")));
    gravarNoServidor(QStringLiteral("guardado"), TipoDeItem::nota, nota(QStringLiteral("G2"))); // revision 2
    const auto cofre = cofreSincronizado();
    ASSERT_EQ(cofre->cifrados().value(QStringLiteral("guardado")).revisao, 2);

    struct Caso {
        const char *nome;
        const char *id;
        std::optional<qint64> dada;
        QJsonValue enviada;
        bool conflito;
    };
    const Caso casos[] = {
        {"id que o cofre não tem, sem revisão", "desconhecido", std::nullopt, QJsonValue::Null, false},
        {"id guardado, sem revisão", "guardado", std::nullopt, 2, false},
        // The store now holds revision 4; a stale revision given by the caller still goes as given.
        {"revisão dada pelo chamador", "guardado", 2, 2, true},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        servidor.limparPedidos();
        const auto erro = erroDoCofreDe(
            cofre->guardar(QString::fromLatin1(caso.id), nota(QStringLiteral("Texto")), TipoDeItem::nota, caso.dada));
        EXPECT_EQ(erro.has_value(), caso.conflito);
        if (!caso.conflito) {
            EXPECT_EQ(cofre->itemAberto(QString::fromLatin1(caso.id))->titulo(), QStringLiteral("Texto"));
        }
        const auto puts = pedidos("PUT", "/v1/cofre/itens/");
        ASSERT_EQ(puts.size(), 1);
        EXPECT_EQ(puts.first().caminho, QStringLiteral("/v1/cofre/itens/") + QString::fromLatin1(caso.id));
        EXPECT_EQ(puts.first().json().value(QStringLiteral("revisaoEsperada")), caso.enviada);
        conferirCopia(*cofre);
    }
}

TEST_F(TesteEscrita, ConflitoEntregaOItemAtualDoServidorSemMudarOCofre)
{
    gravarNoServidor(QStringLiteral("a"), TipoDeItem::nota, nota(QStringLiteral("Minha")));
    const auto cofre = cofreSincronizado();
    const ItemCifrado doOutro = gravarNoServidor(QStringLiteral("a"), TipoDeItem::nota, nota(QStringLiteral("Do outro")));
    const ItensCifrados antes = cofre->cifrados();

    const auto erro = erroDoCofreDe(cofre->guardar(QStringLiteral("a"), nota(QStringLiteral("Editada")), TipoDeItem::nota));
    ASSERT_TRUE(erro.has_value());
    EXPECT_EQ(erro->caso(), ErroDoCofre::Caso::conflito);
    EXPECT_EQ(erro->atual, doOutro);
    EXPECT_EQ(cofre->cifrados(), antes);
    EXPECT_EQ(cofre->itemAberto(QStringLiteral("a"))->titulo(), QStringLiteral("Minha"));
}

TEST_F(TesteEscrita, ConflitoSemItemLegivelEOutroCodigo409)
{
    const auto cofre = cofreSincronizado();
    struct Caso {
        const char *nome;
        Servidor::Falha falha;
        bool conflito;
    };
    const Caso casos[] = {
        {"sem item", Servidor::Falha::erro(409, QStringLiteral("conflito-de-revisao")), true},
        {"item nulo", Servidor::Falha::bruta(409, R"({"erro":"conflito-de-revisao","mensagem":"","item":null})"), true},
        {"item que não se lê", Servidor::Falha::bruta(409, R"({"erro":"conflito-de-revisao","item":{"id":3}})"), true},
        {"outro código", Servidor::Falha::erro(409, QStringLiteral("outra-coisa")), false},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        servidor.falharProximas(1, caso.falha, "PUT");
        try {
            static_cast<void>(Testes::executar(cofre->guardar(std::nullopt, nota(QStringLiteral("N")), TipoDeItem::nota)));
            ADD_FAILURE() << "a gravação não falhou";
        } catch (const ErroDoCofre &erro) {
            EXPECT_TRUE(caso.conflito);
            EXPECT_EQ(erro.caso(), ErroDoCofre::Caso::conflito);
            EXPECT_FALSE(erro.atual.has_value());
        } catch (const ErroDaAPI &erro) {
            EXPECT_FALSE(caso.conflito);
            EXPECT_EQ(erro.status, 409);
            EXPECT_EQ(erro.codigo, QStringLiteral("outra-coisa"));
        }
        EXPECT_TRUE(cofre->cifrados().isEmpty());
    }
}

TEST_F(TesteEscrita, GravarSemConexaoMarcaOFlagEOProximoSucessoLimpa)
{
    const auto cofre = cofreSincronizado();
    QSignalSpy avisos(cofre.get(), &Cofre::semConexaoMudou);
    static_cast<void>(Testes::executar(cofre->guardar(std::nullopt, nota(QStringLiteral("N")), TipoDeItem::nota)));
    EXPECT_EQ(avisos.count(), 0); // already false: nothing announced

    servidor.falharProximas(2, Servidor::Falha::conexaoDerrubada(), "PUT");
    const auto erro = erroDaAPIDe(cofre->guardar(std::nullopt, nota(QStringLiteral("N")), TipoDeItem::nota));
    ASSERT_TRUE(erro.has_value());
    EXPECT_EQ(erro->caso(), ErroDaAPI::Caso::semConexao);
    EXPECT_TRUE(cofre->semConexao());
    EXPECT_EQ(cofre->cifrados().size(), 1);

    servidor.limparFalhas();
    static_cast<void>(Testes::executar(cofre->guardar(std::nullopt, nota(QStringLiteral("N")), TipoDeItem::nota)));
    EXPECT_FALSE(cofre->semConexao());
    EXPECT_EQ(avisos.count(), 2);
}

TEST_F(TesteEscrita, ChaveInvalidaFalhaAoCifrarAntesDeQualquerPedido)
{
    Cofre cofre(conta, QByteArray(16, 'k'), api.get(), preferencias.get());
    const auto erro = erroDoCofreDe(cofre.guardar(std::nullopt, nota(QStringLiteral("N")), TipoDeItem::nota));
    ASSERT_TRUE(erro.has_value());
    EXPECT_EQ(erro->caso(), ErroDoCofre::Caso::falhaAoCifrar);

    QList<NovoItem> lote{{nota(QStringLiteral("A")), TipoDeItem::nota}};
    const auto doLote = erroDoCofreDe(cofre.guardarEmLote(lote));
    ASSERT_TRUE(doLote.has_value());
    EXPECT_EQ(doLote->caso(), ErroDoCofre::Caso::falhaAoCifrar);
    EXPECT_TRUE(servidor.pedidos().isEmpty());
}

TEST_F(TesteEscrita, RespostaQueNaoAbreFalhaAoCifrarMasFicaAplicada)
{
    const auto cofre = cofreSincronizado();
    ItemCifrado alheio;
    alheio.id = QStringLiteral("a");
    alheio.tipo = TipoDeItem::nota;
    alheio.dados = selar(nota(QStringLiteral("N")), alheio.id, Cripto::bytesAleatorios(32));
    alheio.revisao = 8;
    servidor.falharProximas(1, Servidor::Falha::bruta(200, alheio.paraJSON().escritoEmUTF8()), "PUT");

    const auto erro = erroDoCofreDe(cofre->guardar(QStringLiteral("a"), nota(QStringLiteral("N")), TipoDeItem::nota));
    ASSERT_TRUE(erro.has_value());
    EXPECT_EQ(erro->caso(), ErroDoCofre::Caso::falhaAoCifrar);
    EXPECT_EQ(cofre->cifrados().value(QStringLiteral("a")), alheio);
    EXPECT_TRUE(cofre->ilegiveis().contains(QStringLiteral("a")));
    conferirCopia(*cofre);
}

TEST_F(TesteEscrita, ApagarTiraDeTudoGravaAOrdemEACopia)
{
    for (const char *id : {"a", "b"}) {
        DadosDeCodigo dados(codigo(QString::fromLatin1(id)));
        dados.definirSites({QString::fromLatin1(id) + QStringLiteral(".com")});
        gravarNoServidor(QString::fromLatin1(id), TipoDeItem::codigo, dados.json);
    }
    preferencias->armazenamento().definirListaDeTextos(Cofre::chaveDaOrdem(conta.id),
                                                       {QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("x")});
    const auto cofre = cofreSincronizado();

    Testes::executar(cofre->apagar(QStringLiteral("a")));
    const auto deletes = pedidos("DELETE", "/v1/cofre/itens/");
    ASSERT_EQ(deletes.size(), 1);
    EXPECT_EQ(deletes.first().caminho, QStringLiteral("/v1/cofre/itens/a?revisaoEsperada=1"));
    EXPECT_FALSE(cofre->cifrados().contains(QStringLiteral("a")));
    EXPECT_FALSE(cofre->abertos().contains(QStringLiteral("a")));
    EXPECT_EQ(cofre->ordem(), (QList<QString>{QStringLiteral("b"), QStringLiteral("x")}));
    EXPECT_EQ(preferencias->armazenamento().listaDeTextos(Cofre::chaveDaOrdem(conta.id)),
              (QStringList{QStringLiteral("b"), QStringLiteral("x")}));
    conferirCopia(*cofre);
    aguardarIdentidades();
    const QList<IdentidadeDoPreenchimento> ultimas = identidades->substituicoes().last();
    ASSERT_FALSE(ultimas.isEmpty()); // "b" is still offered
    for (const IdentidadeDoPreenchimento &identidade : ultimas)
        EXPECT_EQ(std::get<IdentidadeDeCodigo>(identidade).idDoRegistro, QStringLiteral("b"));
}

TEST_F(TesteEscrita, Apagar404ContaComoSucesso)
{
    gravarNoServidor(QStringLiteral("a"), TipoDeItem::nota, nota(QStringLiteral("A")));
    preferencias->armazenamento().definirListaDeTextos(Cofre::chaveDaOrdem(conta.id), {QStringLiteral("a")});
    const auto cofre = cofreSincronizado();
    servidor.falharProximas(1, Servidor::Falha::erro(404, QStringLiteral("item-nao-encontrado")), "DELETE");

    Testes::executar(cofre->apagar(QStringLiteral("a")));
    EXPECT_TRUE(cofre->cifrados().isEmpty());
    EXPECT_TRUE(cofre->ordem().isEmpty());
    EXPECT_EQ(preferencias->armazenamento().listaDeTextos(Cofre::chaveDaOrdem(conta.id)), QStringList());
    conferirCopia(*cofre);
}

TEST_F(TesteEscrita, ApagarSemConexaoConflitoOuIdDesconhecido)
{
    gravarNoServidor(QStringLiteral("a"), TipoDeItem::nota, nota(QStringLiteral("A")));
    const auto cofre = cofreSincronizado();

    Testes::executar(cofre->apagar(QStringLiteral("nao-existe")));
    EXPECT_TRUE(servidor.pedidos().isEmpty());

    servidor.falharProximas(2, Servidor::Falha::conexaoDerrubada(), "DELETE");
    const auto offline = erroDaAPIDe(cofre->apagar(QStringLiteral("a")));
    ASSERT_TRUE(offline.has_value());
    EXPECT_EQ(offline->caso(), ErroDaAPI::Caso::semConexao);
    EXPECT_TRUE(cofre->semConexao());
    EXPECT_TRUE(cofre->cifrados().contains(QStringLiteral("a")));
    servidor.limparFalhas();

    const ItemCifrado doOutro = gravarNoServidor(QStringLiteral("a"), TipoDeItem::nota, nota(QStringLiteral("B")));
    const auto conflito = erroDoCofreDe(cofre->apagar(QStringLiteral("a")));
    ASSERT_TRUE(conflito.has_value());
    EXPECT_EQ(conflito->atual, doOutro);
    EXPECT_TRUE(cofre->cifrados().contains(QStringLiteral("a")));
    EXPECT_TRUE(cofre->semConexao()); // a deletion never clears it
}

TEST_F(TesteEscrita, AtualizarContaSoAceitaAMesmaConta)
{
    const auto cofre = cofreSincronizado();
    Conta renomeada = conta;
    renomeada.nome = QStringLiteral("Ana Renomeada");
    Conta outra = conta;
    outra.id = QStringLiteral("outra");
    outra.nome = QStringLiteral("Intrusa");

    servidor.falharProximas(1, Servidor::Falha::bruta(200, CodificacaoJSON::escreverDocumento(outra.paraJSON())), "GET",
                            "/v1/conta");
    Testes::executar(cofre->atualizarConta());
    EXPECT_EQ(cofre->conta(), conta);

    servidor.falharProximas(1, Servidor::Falha::erro(500, QStringLiteral("erro")), "GET", "/v1/conta");
    Testes::executar(cofre->atualizarConta());
    EXPECT_EQ(cofre->conta(), conta);

    servidor.falharProximas(1, Servidor::Falha::bruta(200, CodificacaoJSON::escreverDocumento(renomeada.paraJSON())),
                            "GET", "/v1/conta");
    Testes::executar(cofre->atualizarConta());
    EXPECT_EQ(cofre->conta(), renomeada);
    conferirCopia(*cofre);

    // And the server's own record, unchanged, comes back equal to what the sign-in gave: the
    // local rename is undone and the copy follows.
    Testes::executar(cofre->atualizarConta());
    EXPECT_EQ(cofre->conta(), conta);
    conferirCopia(*cofre);
}

TEST_F(TesteEscrita, LoteVaiEmFatiasDe250)
{
    const auto cofre = cofreSincronizado();
    EXPECT_EQ(Testes::executar(cofre->guardarEmLote({})), 0);
    EXPECT_TRUE(servidor.pedidos().isEmpty());

    struct Caso {
        qsizetype itens;
        QList<qsizetype> fatias;
    };
    for (const Caso &caso : {Caso{250, {250}}, Caso{251, {250, 1}}, Caso{501, {250, 250, 1}}}) {
        SCOPED_TRACE(caso.itens);
        servidor.limparPedidos();
        const qsizetype antes = cofre->abertos().size();
        const qint64 revisao = cofre->revisao();
        QList<NovoItem> lote;
        for (qsizetype i = 0; i < caso.itens; ++i)
            lote.append({codigo(QStringLiteral("Emissor %1").arg(i)), TipoDeItem::codigo});

        EXPECT_EQ(Testes::executar(cofre->guardarEmLote(lote)), caso.itens);
        QList<qsizetype> fatias;
        for (const auto &pedido : pedidos("POST", "/v1/cofre/lote")) {
            const QJsonArray itens = pedido.json().value(QStringLiteral("itens")).toArray();
            fatias.append(itens.size());
            for (const QJsonValue &item : itens) {
                const QString id = item.toObject().value(QStringLiteral("id")).toString();
                EXPECT_TRUE(ehUuidMinusculo(id));
                EXPECT_TRUE(cofre->abertos().contains(id)); // sealed for its own id
            }
        }
        EXPECT_EQ(fatias, caso.fatias);
        EXPECT_EQ(cofre->abertos().size(), antes + caso.itens);
        EXPECT_EQ(cofre->revisao(), revisao);
        conferirCopia(*cofre);
    }
}

TEST_F(TesteEscrita, LoteQueFalhaDepoisDeUmaFatiaGravaACopiaEDizQuantosSalvou)
{
    const auto cofre = cofreSincronizado();
    QList<NovoItem> lote;
    for (int i = 0; i < 300; ++i)
        lote.append({senha(QStringLiteral("S%1").arg(i), QStringLiteral("site%1.com").arg(i)), TipoDeItem::senha});
    // The second slice fails: armed once the first answer reaches the store.
    const auto conexao = QObject::connect(cofre.get(), &Cofre::cifradosMudou, [this] {
        servidor.falharProximas(1, Servidor::Falha::erro(503, QStringLiteral("indisponivel")), "POST", "/v1/cofre/lote");
    });

    try {
        static_cast<void>(Testes::executar(cofre->guardarEmLote(lote)));
        ADD_FAILURE() << "o lote não falhou";
    } catch (const ErroDaAPI &erro) {
        EXPECT_EQ(erro.status, 503);
        EXPECT_EQ(itensJaSalvos(erro), 250);
    }
    QObject::disconnect(conexao);
    EXPECT_EQ(pedidos("POST", "/v1/cofre/lote").size(), 2);
    EXPECT_EQ(cofre->abertos().size(), 250);
    EXPECT_FALSE(cofre->semConexao());
    conferirCopia(*cofre);
    aguardarIdentidades();
    EXPECT_EQ(identidades->substituicoes().last().size(), 250);
}

TEST_F(TesteEscrita, LoteQueFalhaNaPrimeiraFatiaLancaOErroSemContagem)
{
    const auto cofre = cofreSincronizado();
    QFile::remove(CopiaDoCofre::arquivo());
    servidor.falharProximas(2, Servidor::Falha::conexaoDerrubada(), "POST", "/v1/cofre/lote");
    QList<NovoItem> lote{{nota(QStringLiteral("A")), TipoDeItem::nota}};
    try {
        static_cast<void>(Testes::executar(cofre->guardarEmLote(lote)));
        ADD_FAILURE() << "o lote não falhou";
    } catch (const ErroDaAPI &erro) {
        EXPECT_EQ(erro.caso(), ErroDaAPI::Caso::semConexao);
        EXPECT_FALSE(itensJaSalvos(erro).has_value());
    }
    EXPECT_FALSE(cofre->semConexao()); // a batch sets no flag
    EXPECT_FALSE(QFile::exists(CopiaDoCofre::arquivo()));
}
