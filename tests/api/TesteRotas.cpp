// Every request of the endpoint table against the development server, each with its method,
// path, body and decoded answer.
#include "Ambiente.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

const QString ana = QStringLiteral("ana@exemplo.com");
const Dispositivo mac{QStringLiteral("Mac de Teste"), QStringLiteral("macos")};

CorpoDeCadastro cadastroBase()
{
    CorpoDeCadastro corpo;
    corpo.nome = QStringLiteral("Bia");
    corpo.sal = QStringLiteral("c2Fs");
    corpo.kdf = ParametrosKdf::padrao();
    corpo.prova = QStringLiteral("prova-nova");
    corpo.chaveDoCofreProtegida = QStringLiteral("v1.bg.Yw");
    corpo.chaveDoCofreRecuperacao = QStringLiteral("v1.bg.cg");
    corpo.provaDeRecuperacao = QStringLiteral("recuperacao");
    corpo.dispositivo = mac;
    return corpo;
}

} // namespace

using RotasDaAPI = ClienteComServidor;

TEST_F(RotasDaAPI, EntrarComSenhaESegundoFator)
{
    criarConta(ana);
    auto cliente = novoCliente();
    const CorpoDeEntrada corpo{ana, std::nullopt, QStringLiteral("prova-da-senha"), std::nullopt, mac};
    const RespostaDeSessao sessao = Testes::executar(cliente->entrar(corpo));
    EXPECT_EQ(sessao.conta.email, ana);
    EXPECT_TRUE(sessao.tokenDeRenovacao);
    const auto pedido = servidor.pedidos("POST", QStringLiteral("/v1/sessao"))[0];
    EXPECT_EQ(pedido.corpo, CodificacaoJSON::escreverDocumento(corpo.paraJSON()));
    EXPECT_FALSE(cliente->temSessao()); // keeping the session is the caller's step
    cliente->guardarSessao(sessao);
    EXPECT_EQ(cliente->tokens()->tokenDeAcesso, sessao.tokenDeAcesso);

    servidor.estado().ligarAutenticador(ana);
    auto erro = erroDe<ErroDaAPI>(cliente->entrar(corpo));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->codigo, QStringLiteral("autenticador-necessario"));
    EXPECT_EQ(erro->errorDescription(), QStringLiteral("Digite o código de seis números do seu autenticador."));
    CorpoDeEntrada comCodigo = corpo;
    comCodigo.codigoDoAutenticador = servidor.estado().codigoDoAutenticador(ana);
    EXPECT_TRUE(Testes::executar(cliente->entrar(comCodigo)).conta.autenticadorLigado);

    CorpoDeEntrada errada = corpo;
    errada.prova = QStringLiteral("outra");
    erro = erroDe<ErroDaAPI>(cliente->entrar(errada));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->status, 401);
    EXPECT_EQ(erro->errorDescription(), QStringLiteral("E-mail ou senha incorretos."));
    EXPECT_EQ(quantosPedidos("POST", "/v1/sessao/renovar"), 0); // sign-in refusals never renew
}

TEST_F(RotasDaAPI, SairEncerraASessaoNoServidor)
{
    auto cliente = clienteComSessao();
    EXPECT_EQ(servidor.estado().sessoesAtivas(ana), 1);
    EXPECT_EQ(Testes::executar(cliente->sair()), Vazio{});
    EXPECT_EQ(servidor.estado().sessoesAtivas(ana), 0);
    const auto pedido = servidor.pedidos("DELETE", QStringLiteral("/v1/sessao"))[0];
    EXPECT_EQ(pedido.cabecalho("Authorization"), "Bearer " + cliente->tokens()->tokenDeAcesso.toUtf8());
    EXPECT_TRUE(pedido.corpo.isEmpty());
}

TEST_F(RotasDaAPI, PreEntradaDaOSalEOsParametros)
{
    criarConta(ana);
    auto cliente = novoCliente();
    const auto resposta = Testes::executar(cliente->preEntrada(ana));
    EXPECT_EQ(resposta.sal, QStringLiteral("c2FsLWRhLWNvbnRh"));
    EXPECT_EQ(resposta.kdf, ParametrosKdf::padrao());
    const auto erro = erroDe<ErroDaAPI>(cliente->preEntrada(QStringLiteral("ninguem@exemplo.com")));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->codigo, QStringLiteral("credenciais-invalidas"));
}

TEST_F(RotasDaAPI, CadastroComEmailConfirmado)
{
    const QString bia = QStringLiteral("bia@exemplo.com");
    auto cliente = novoCliente();
    EXPECT_EQ(Testes::executar(cliente->pedirCodigoDeEmail(bia)).reenviarEm, 60);
    const auto codigo = servidor.estado().codigoDeEmail(bia);
    ASSERT_TRUE(codigo);

    auto erro = erroDe<ErroDaAPI>(cliente->conferirCodigoDeEmail(bia, QStringLiteral("errado")));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->status, 400);
    const auto conferencia = Testes::executar(cliente->conferirCodigoDeEmail(bia, *codigo));
    EXPECT_FALSE(conferencia.comprovanteDeEmail.isEmpty());
    EXPECT_EQ(servidor.pedidos("POST", QStringLiteral("/v1/conta/codigo-de-email/conferir")).last().corpo,
              QByteArray(R"({"email":"bia@exemplo.com","codigo":")") + codigo->toUtf8() + "\"}");

    CorpoDeCadastro corpo = cadastroBase();
    corpo.email = bia;
    corpo.comprovanteDeEmail = conferencia.comprovanteDeEmail;
    const RespostaDeSessao sessao = Testes::executar(cliente->cadastrar(corpo));
    EXPECT_EQ(sessao.conta.email, bia);
    EXPECT_EQ(sessao.conta.nome, QStringLiteral("Bia"));
    EXPECT_TRUE(servidor.estado().conferirProvaDeRecuperacao(bia, QStringLiteral("recuperacao")));

    erro = erroDe<ErroDaAPI>(cliente->pedirCodigoDeEmail(bia));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->errorDescription(), QStringLiteral("Já existe uma conta com este e-mail."));
}

TEST_F(RotasDaAPI, EntradaSocialNovaDepoisExistente)
{
    const QString email = QStringLiteral("carla@exemplo.com");
    auto cliente = novoCliente();
    const QString identidade =
        servidor.estado().cunharTokenDeIdentidade(QStringLiteral("apple"), email, QStringLiteral("n1"));
    const RespostaSocial nova =
        Testes::executar(cliente->entrarSocial(CorpoSocial{QStringLiteral("apple"), identidade, QStringLiteral("n1")}));
    EXPECT_EQ(nova.situacao, QStringLiteral("nova"));
    EXPECT_EQ(nova.email, email);
    EXPECT_FALSE(nova.sal);

    CorpoDeCadastro corpo = cadastroBase();
    corpo.tokenSocial = nova.tokenSocial;
    const RespostaDeSessao sessao = Testes::executar(cliente->cadastrar(corpo));
    ASSERT_TRUE(sessao.conta.vinculos);
    EXPECT_EQ(sessao.conta.vinculos->value(0).provedor, QStringLiteral("apple"));

    const QString outra = servidor.estado().cunharTokenDeIdentidade(QStringLiteral("apple"), email);
    const RespostaSocial existente =
        Testes::executar(cliente->entrarSocial(CorpoSocial{QStringLiteral("apple"), outra, std::nullopt}));
    EXPECT_NE(existente.situacao, QStringLiteral("nova"));
    EXPECT_EQ(existente.sal, QStringLiteral("c2Fs"));
    EXPECT_EQ(existente.kdf, ParametrosKdf::padrao());
    const CorpoDeEntrada entrada{std::nullopt, existente.tokenSocial, QStringLiteral("prova-nova"), std::nullopt, mac};
    EXPECT_EQ(Testes::executar(cliente->entrar(entrada)).conta.email, email);
}

TEST_F(RotasDaAPI, ContaDaSessao)
{
    auto cliente = clienteComSessao();
    const auto conta = Testes::executar(cliente->lerConta());
    ASSERT_TRUE(conta);
    EXPECT_EQ(conta->email, ana);
    EXPECT_EQ(conta->kdf, ParametrosKdf::padrao());
}

TEST_F(RotasDaAPI, CofreCompletoEIncremental)
{
    auto cliente = clienteComSessao();
    servidor.estado().gravarItem(ana, QStringLiteral("a"), QStringLiteral("codigo"), QStringLiteral("v1.a.a"));
    servidor.estado().gravarItem(ana, QStringLiteral("b"), QStringLiteral("senha"), QStringLiteral("v1.b.b"));
    const RespostaDoCofre completo = Testes::executar(cliente->lerCofre());
    EXPECT_EQ(completo.revisao, 2);
    EXPECT_EQ(completo.completo, true);
    ASSERT_EQ(completo.itens.size(), 2);
    EXPECT_EQ(completo.itens[1].tipo, TipoDeItem::senha);

    servidor.estado().apagarItem(ana, QStringLiteral("a"));
    const RespostaDoCofre desde = Testes::executar(cliente->lerCofre(2));
    EXPECT_EQ(desde.revisao, 3);
    EXPECT_EQ(desde.completo, false);
    ASSERT_EQ(desde.itens.size(), 1);
    EXPECT_EQ(desde.itens[0].id, QStringLiteral("a"));
    EXPECT_FALSE(desde.itens[0].dados);
    EXPECT_TRUE(desde.itens[0].apagadoEm);
    const QStringList caminhos{servidor.pedidos()[0].caminho, servidor.pedidos()[1].caminho};
    EXPECT_EQ(caminhos, (QStringList{QStringLiteral("/v1/cofre"), QStringLiteral("/v1/cofre?desde=2")}));
}

TEST_F(RotasDaAPI, GuardarEApagarItemComRevisaoEsperada)
{
    auto cliente = clienteComSessao();
    const QString id = QStringLiteral("7d3c1e2a-9b8f-4a6d-8c5e-1f2a3b4c5d6e");
    const ItemCifrado novo =
        Testes::executar(cliente->guardarItem(id, CorpoDoItem{TipoDeItem::nota, QStringLiteral("v1.x.y"), {}}));
    EXPECT_EQ(novo.id, id);
    EXPECT_EQ(novo.revisao, 1);
    EXPECT_EQ(novo.dados, QStringLiteral("v1.x.y"));

    // Another device changes it: a write from the revision this Mac saw is refused with the item.
    servidor.estado().gravarItem(ana, id, QStringLiteral("nota"), QStringLiteral("v1.outro.aparelho"));
    const auto erro = erroDe<ErroDaAPI>(cliente->guardarItem(id, CorpoDoItem{TipoDeItem::nota, QStringLiteral("v1.z.w"), 1}));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->status, 409);
    EXPECT_EQ(erro->codigo, QStringLiteral("conflito-de-revisao"));
    const ObjetoJSON corpo = CodificacaoJSON::lerObjeto(erro->corpo);
    const ItemCifrado atual = ItemCifrado::deJSON(*corpo.valor(QStringLiteral("item")));
    EXPECT_EQ(atual.dados, QStringLiteral("v1.outro.aparelho"));
    EXPECT_EQ(atual.revisao, 2);

    const ItemCifrado escrito =
        Testes::executar(cliente->guardarItem(id, CorpoDoItem{TipoDeItem::nota, QStringLiteral("v1.z.w"), 2}));
    EXPECT_EQ(escrito.revisao, 3);
    const ItemCifrado apagado = Testes::executar(cliente->apagarItem(id, 3));
    EXPECT_EQ(apagado.revisao, 4);
    EXPECT_TRUE(apagado.apagadoEm);
    EXPECT_EQ(servidor.pedidos("DELETE", {}).last().caminho,
              QStringLiteral("/v1/cofre/itens/") + id + QStringLiteral("?revisaoEsperada=3"));
}

TEST_F(RotasDaAPI, LoteDeItensNovos)
{
    auto cliente = clienteComSessao();
    const CorpoDoLote lote{{ItemDoLote{QStringLiteral("l-2"), TipoDeItem::codigo, QStringLiteral("v1.c.c")},
                            ItemDoLote{QStringLiteral("l-1"), TipoDeItem::senha, QStringLiteral("v1.s.s")}}};
    const RespostaDoCofre resposta = Testes::executar(cliente->enviarLote(lote));
    EXPECT_EQ(resposta.revisao, 2);
    EXPECT_EQ(resposta.completo, false);
    ASSERT_EQ(resposta.itens.size(), 2);
    EXPECT_EQ(resposta.itens[0].id, QStringLiteral("l-2"));
    EXPECT_EQ(resposta.itens[1].tipo, TipoDeItem::senha);
    const auto erro = erroDe<ErroDaAPI>(cliente->enviarLote(lote));
    ASSERT_TRUE(erro);
    EXPECT_EQ(erro->status, 409);
}
