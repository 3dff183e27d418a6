#include "autofill/protocolo/ProtocoloDoAnfitriao.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(ProtocoloDoAnfitriao, PedidosValidosVoltamIguaisAoSeremReescritos)
{
    PedidoDoAnfitriao lista;
    lista.tipo = PedidoDoAnfitriao::Tipo::listarSenhas;
    lista.servicos = {{u"https://exemplo.com/login"_s, IdentificadorDeServico::Tipo::url},
                      {u"exemplo.com"_s, IdentificadorDeServico::Tipo::dominio}};
    PedidoDoAnfitriao fornecer;
    fornecer.tipo = PedidoDoAnfitriao::Tipo::fornecerSemInteracao;
    fornecer.identidade = {{u"banco.com"_s, IdentificadorDeServico::Tipo::dominio}, u"id-1"_s, u"ana"_s, true};
    PedidoDoAnfitriao codigos;
    codigos.tipo = PedidoDoAnfitriao::Tipo::listarCodigos;
    for (const PedidoDoAnfitriao &pedido : {lista, fornecer, codigos, PedidoDoAnfitriao{}}) {
        const QByteArray linha = pedido.linha();
        EXPECT_TRUE(linha.endsWith('\n'));
        EXPECT_EQ(linha.count('\n'), 1);
        EXPECT_EQ(PedidoDoAnfitriao::ler(linha), pedido) << linha.constData();
    }
    EXPECT_EQ(lista.linha(),
              R"({"versao":1,"pedido":"listarSenhas","servicos":[{"identificador":"https://exemplo.com/login","tipo":"url"},{"identificador":"exemplo.com","tipo":"dominio"}]})"
              "\n");
}

TEST(ProtocoloDoAnfitriao, LinhasQueNaoSaoPedidosSaoRecusadas)
{
    const QByteArray casos[] = {
        "",
        "{}",
        "[]",
        "nada",
        R"({"versao":2,"pedido":"configurar"})",
        R"({"versao":"1","pedido":"configurar"})",
        R"({"versao":1.5,"pedido":"configurar"})",
        R"({"versao":1,"pedido":"apagarTudo"})",
        R"({"versao":1,"pedido":"listarSenhas"})",
        R"({"versao":1,"pedido":"listarSenhas","servicos":[{"identificador":"a.com","tipo":"app"}]})",
        R"({"versao":1,"pedido":"listarSenhas","servicos":[{"identificador":1,"tipo":"dominio"}]})",
        R"({"versao":1,"pedido":"fornecer","identidade":{"servico":{"identificador":"a.com","tipo":"dominio"},"tipoDePedido":"chave"}})",
        R"({"versao":1,"pedido":"fornecer","identidade":{"registro":"x","tipoDePedido":"senha"}})",
        R"({"versao":1,"pedido":"configurar"})" "\n" R"({"versao":1,"pedido":"configurar"})",
        R"({"versao":1,"pedido":"configurar"} x)",
        "{\"versao\":1,\"pedido\":\"configurar\",\"x\":\"" + QByteArray(tamanhoMaximoDaLinha, 'a') + "\"}",
    };
    for (const QByteArray &linha : casos)
        EXPECT_FALSE(PedidoDoAnfitriao::ler(linha).has_value()) << linha.left(120).constData();
    // Optional fields of an identity may be absent.
    const auto semRegistro = PedidoDoAnfitriao::ler(
        R"({"versao":1,"pedido":"fornecer","identidade":{"servico":{"identificador":"a.com","tipo":"dominio"},"tipoDePedido":"senha"}})");
    ASSERT_TRUE(semRegistro.has_value());
    EXPECT_TRUE(semRegistro->identidade.registro.isEmpty());
}

TEST(ProtocoloDoAnfitriao, RespostasNaFormaCombinada)
{
    const struct {
        RespostaDaExtensao resposta;
        const char *linha;
    } casos[] = {
        {RespostaDaExtensao::deSenha(u"ana"_s, u"p\"w"_s), R"({"resposta":"senha","usuario":"ana","senha":"p\"w"})"},
        {RespostaDaExtensao::deCodigo(u"012345"_s), R"({"resposta":"codigo","codigo":"012345"})"},
        {RespostaDaExtensao::configuracaoConcluida(), R"({"resposta":"configuracaoConcluida"})"},
        {RespostaDaExtensao::cancelada(1), R"({"resposta":"cancelado","erro":{"dominio":"ASExtensionErrorDomain","codigo":1}})"},
        {RespostaDaExtensao::cancelada(100), R"({"resposta":"cancelado","erro":{"dominio":"ASExtensionErrorDomain","codigo":100}})"},
    };
    for (const auto &caso : casos) {
        EXPECT_EQ(caso.resposta.linha(), QByteArray(caso.linha) + '\n');
        EXPECT_EQ(RespostaDaExtensao::ler(caso.resposta.linha()), caso.resposta);
    }
    EXPECT_FALSE(RespostaDaExtensao::ler(R"({"resposta":"cancelado","erro":{"dominio":"Outro","codigo":1}})").has_value());
    EXPECT_FALSE(RespostaDaExtensao::ler(R"({"resposta":"senha","usuario":"a"})").has_value());
}
