#include "autofill/protocolo/ProtocoloDoAnfitriao.h"

#include "core/CodificacaoJSON.h"
#include "core/ErroDeCripto.h"

namespace {

const QString dominioDoErro = QStringLiteral("ASExtensionErrorDomain");

const QString chaveVersao = QStringLiteral("versao");
const QString chavePedido = QStringLiteral("pedido");
const QString chaveResposta = QStringLiteral("resposta");

// The line without its one trailing newline; nothing when it is too long or holds another line.
std::optional<QByteArray> semQuebra(QByteArray linha)
{
    if (linha.endsWith('\n'))
        linha.chop(1);
    if (linha.size() > tamanhoMaximoDaLinha || linha.contains('\n'))
        return std::nullopt;
    return linha;
}

const char *nomeDoPedido(PedidoDoAnfitriao::Tipo tipo)
{
    switch (tipo) {
    case PedidoDoAnfitriao::Tipo::listarSenhas:
        return "listarSenhas";
    case PedidoDoAnfitriao::Tipo::listarCodigos:
        return "listarCodigos";
    case PedidoDoAnfitriao::Tipo::fornecer:
        return "fornecer";
    case PedidoDoAnfitriao::Tipo::fornecerSemInteracao:
        return "fornecerSemInteracao";
    case PedidoDoAnfitriao::Tipo::configurar:
        return "configurar";
    }
    return "configurar";
}

IdentificadorDeServico lerServico(const Leitor &leitor)
{
    const QString tipo = leitor.exigirTexto(QStringLiteral("tipo"));
    IdentificadorDeServico servico{leitor.exigirTexto(QStringLiteral("identificador")),
                                   IdentificadorDeServico::Tipo::dominio};
    if (tipo == QLatin1String("url"))
        servico.tipo = IdentificadorDeServico::Tipo::url;
    else if (tipo != QLatin1String("dominio"))
        throw ErroDeDecodificacao(leitor.caminho(), QStringLiteral("tipo de serviço desconhecido"));
    return servico;
}

ValorJSON escreverServico(const IdentificadorDeServico &servico)
{
    return Escritor()
        .texto(QStringLiteral("identificador"), servico.identificador)
        .texto(QStringLiteral("tipo"), servico.tipo == IdentificadorDeServico::Tipo::url ? QStringLiteral("url")
                                                                                          : QStringLiteral("dominio"))
        .valorPronto();
}

} // namespace

std::optional<PedidoDoAnfitriao> PedidoDoAnfitriao::ler(const QByteArray &bruta)
{
    const auto linha = semQuebra(bruta);
    if (!linha)
        return std::nullopt;
    try {
        const Leitor leitor(CodificacaoJSON::lerObjeto(*linha));
        if (leitor.exigirInteiro<qint64>(chaveVersao) != 1)
            return std::nullopt;
        const QString nome = leitor.exigirTexto(chavePedido);
        PedidoDoAnfitriao pedido;
        if (nome == QLatin1String("listarSenhas") || nome == QLatin1String("listarCodigos")) {
            pedido.tipo = nome == QLatin1String("listarSenhas") ? Tipo::listarSenhas : Tipo::listarCodigos;
            for (const ValorJSON &valor : leitor.exigirListaDeValores(QStringLiteral("servicos")))
                pedido.servicos.append(lerServico(Leitor(valor)));
        } else if (nome == QLatin1String("fornecer") || nome == QLatin1String("fornecerSemInteracao")) {
            pedido.tipo = nome == QLatin1String("fornecer") ? Tipo::fornecer : Tipo::fornecerSemInteracao;
            const Leitor identidade = leitor.exigirObjeto(QStringLiteral("identidade"));
            pedido.identidade.servico = lerServico(identidade.exigirObjeto(QStringLiteral("servico")));
            pedido.identidade.registro = identidade.talvezTexto(QStringLiteral("registro")).value_or(QString());
            pedido.identidade.usuario = identidade.talvezTexto(QStringLiteral("usuario")).value_or(QString());
            const QString tipoDePedido = identidade.exigirTexto(QStringLiteral("tipoDePedido"));
            if (tipoDePedido != QLatin1String("senha") && tipoDePedido != QLatin1String("codigo"))
                return std::nullopt;
            pedido.identidade.codigo = tipoDePedido == QLatin1String("codigo");
        } else if (nome == QLatin1String("configurar")) {
            pedido.tipo = Tipo::configurar;
        } else {
            return std::nullopt;
        }
        return pedido;
    } catch (const ErroDeDecodificacao &) {
        return std::nullopt;
    } catch (const ErroDeCripto &) {
        return std::nullopt;
    }
}

QByteArray PedidoDoAnfitriao::linha() const
{
    Escritor escritor;
    escritor.inteiro(chaveVersao, 1).texto(chavePedido, QString::fromLatin1(nomeDoPedido(tipo)));
    if (tipo == Tipo::listarSenhas || tipo == Tipo::listarCodigos) {
        QList<ValorJSON> valores;
        for (const IdentificadorDeServico &servico : servicos)
            valores.append(escreverServico(servico));
        escritor.valor(QStringLiteral("servicos"), ValorJSON::lista(std::move(valores)));
    } else if (tipo == Tipo::fornecer || tipo == Tipo::fornecerSemInteracao) {
        escritor.valor(QStringLiteral("identidade"),
                       Escritor()
                           .valor(QStringLiteral("servico"), escreverServico(identidade.servico))
                           .texto(QStringLiteral("registro"), identidade.registro)
                           .texto(QStringLiteral("usuario"), identidade.usuario)
                           .texto(QStringLiteral("tipoDePedido"),
                                  identidade.codigo ? QStringLiteral("codigo") : QStringLiteral("senha"))
                           .valorPronto());
    }
    return escritor.documento() + '\n';
}

RespostaDaExtensao RespostaDaExtensao::deSenha(QString usuario, QString senha)
{
    return {Tipo::senha, std::move(usuario), std::move(senha), {}, usuarioCancelou};
}

RespostaDaExtensao RespostaDaExtensao::deCodigo(QString codigo)
{
    return {Tipo::codigo, {}, {}, std::move(codigo), usuarioCancelou};
}

RespostaDaExtensao RespostaDaExtensao::configuracaoConcluida()
{
    return {Tipo::configuracaoConcluida, {}, {}, {}, usuarioCancelou};
}

RespostaDaExtensao RespostaDaExtensao::cancelada(int erro)
{
    return {Tipo::cancelado, {}, {}, {}, erro};
}

std::optional<RespostaDaExtensao> RespostaDaExtensao::ler(const QByteArray &bruta)
{
    const auto linha = semQuebra(bruta);
    if (!linha)
        return std::nullopt;
    try {
        const Leitor leitor(CodificacaoJSON::lerObjeto(*linha));
        const QString nome = leitor.exigirTexto(chaveResposta);
        if (nome == QLatin1String("senha"))
            return deSenha(leitor.exigirTexto(QStringLiteral("usuario")), leitor.exigirTexto(QStringLiteral("senha")));
        if (nome == QLatin1String("codigo"))
            return deCodigo(leitor.exigirTexto(QStringLiteral("codigo")));
        if (nome == QLatin1String("configuracaoConcluida"))
            return configuracaoConcluida();
        if (nome == QLatin1String("cancelado")) {
            const Leitor erro = leitor.exigirObjeto(QStringLiteral("erro"));
            if (erro.exigirTexto(QStringLiteral("dominio")) != dominioDoErro)
                return std::nullopt;
            return cancelada(erro.exigirInteiro<int>(QStringLiteral("codigo")));
        }
        return std::nullopt;
    } catch (const ErroDeDecodificacao &) {
        return std::nullopt;
    } catch (const ErroDeCripto &) {
        return std::nullopt;
    }
}

QByteArray RespostaDaExtensao::linha() const
{
    Escritor escritor;
    switch (tipo) {
    case Tipo::senha:
        escritor.texto(chaveResposta, QStringLiteral("senha"))
            .texto(QStringLiteral("usuario"), usuario)
            .texto(QStringLiteral("senha"), senha);
        break;
    case Tipo::codigo:
        escritor.texto(chaveResposta, QStringLiteral("codigo")).texto(QStringLiteral("codigo"), codigo);
        break;
    case Tipo::configuracaoConcluida:
        escritor.texto(chaveResposta, QStringLiteral("configuracaoConcluida"));
        break;
    case Tipo::cancelado:
        escritor.texto(chaveResposta, QStringLiteral("cancelado"))
            .valor(QStringLiteral("erro"),
                   Escritor()
                       .texto(QStringLiteral("dominio"), dominioDoErro)
                       .inteiro(QStringLiteral("codigo"), erro)
                       .valorPronto());
        break;
    }
    return escritor.documento() + '\n';
}
