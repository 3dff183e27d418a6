#include "servicos/IdentidadesDoPreenchimento.h"

#include "servicos/FilaDeIdentidades.h"
#include "servicos/NoTrabalhador.h"
#include "core/SemRepeticoes.h"

#include <QHash>
#include <QSet>

#include <functional>

namespace {

const QString separadorDoRotulo = QStringLiteral(" \u00B7 ");

QList<QString> distintos(const QList<QString> &dominios)
{
    QSet<QString> vistos;
    QList<QString> lista = semRepeticoes(dominios, vistos);
    // A link written without a domain names no site.
    lista.removeAll(QString());
    return lista;
}

void deSenha(const ItemAberto &item, const DadosDeSenha &dados, QList<IdentidadeDoPreenchimento> &em)
{
    const QString usuario = dados.json.texto(QStringLiteral("usuario"));
    const bool temCodigo = dados.codigo().has_value();
    const QString rotulo = usuario.isEmpty() ? item.titulo() : usuario;
    for (const QString &dominio : distintos(dados.dominios())) {
        em.append(IdentidadeDeSenha{dominio, usuario, item.id});
        if (temCodigo)
            em.append(IdentidadeDeCodigo{dominio, rotulo, item.id});
    }
}

void deCodigo(const ItemAberto &item, const DadosDeCodigo &dados, const DominiosVinculados &vinculados,
              QList<IdentidadeDoPreenchimento> &em)
{
    QList<QString> dominios = dados.dominios();
    if (const auto vinculos = vinculados.constFind(item.id); vinculos != vinculados.cend())
        dominios.append(*vinculos);
    const QString conta = dados.json.texto(QStringLiteral("conta"));
    const QString rotulo = conta.isEmpty() ? item.titulo() : item.titulo() + separadorDoRotulo + conta;
    for (const QString &dominio : distintos(dominios))
        em.append(IdentidadeDeCodigo{dominio, rotulo, item.id});
}

std::shared_ptr<RepositorioDeIdentidades> ou(std::shared_ptr<RepositorioDeIdentidades> repositorio)
{
    return repositorio ? std::move(repositorio) : RepositorioDeIdentidades::atual();
}

enum class Substituicao { feita, desligada, falhou };

std::function<Substituicao()> substituicao(std::shared_ptr<RepositorioDeIdentidades> alvo,
                                           QList<IdentidadeDoPreenchimento> identidades)
{
    return [alvo = std::move(alvo), identidades = std::move(identidades)] {
        // A store the user has not switched on is left alone, and that is no failure.
        if (!alvo->ligado())
            return Substituicao::desligada;
        return alvo->substituirTodas(identidades) ? Substituicao::feita : Substituicao::falhou;
    };
}

std::function<void()> remocao(std::shared_ptr<RepositorioDeIdentidades> alvo)
{
    return [alvo = std::move(alvo)] { (void)alvo->removerTodas(); };
}

} // namespace

// One pass over the links, so each code item looks its own up instead of scanning every link.
DominiosVinculados dominiosVinculadosPorItem(const QList<VinculoDoPreenchimento> &vinculos)
{
    DominiosVinculados dominios;
    for (const VinculoDoPreenchimento &vinculo : vinculos)
        dominios[vinculo.id].append(vinculo.dominio);
    return dominios;
}

namespace {

void acrescentarDoItem(const ItemAberto &item, const DominiosVinculados &vinculados,
                       QList<IdentidadeDoPreenchimento> &em)
{
    if (const DadosDeSenha *senha = item.conteudo.senha())
        deSenha(item, *senha, em);
    else if (const DadosDeCodigo *codigo = item.conteudo.codigo())
        deCodigo(item, *codigo, vinculados, em);
}

} // namespace

QList<IdentidadeDoPreenchimento> identidadesDoItem(const ItemAberto &item, const DominiosVinculados &vinculados)
{
    QList<IdentidadeDoPreenchimento> identidades;
    acrescentarDoItem(item, vinculados, identidades);
    return identidades;
}

QList<IdentidadeDoPreenchimento> montarIdentidades(const QList<ItemAberto> &itens,
                                                   const QList<VinculoDoPreenchimento> &vinculos)
{
    const DominiosVinculados vinculados = dominiosVinculadosPorItem(vinculos);
    QList<IdentidadeDoPreenchimento> identidades;
    for (const ItemAberto &item : itens)
        acrescentarDoItem(item, vinculados, identidades);
    return identidades;
}

EntregaDeIdentidades entregarIdentidades(QList<IdentidadeDoPreenchimento> identidades,
                                         QList<VinculoDoPreenchimento> vinculos)
{
    EntregaDeIdentidades entrega;
    entrega.geracao = FilaDeIdentidades::doProcesso().substituir(std::move(identidades));
    entrega.vinculos = std::move(vinculos);
    return entrega;
}

EntregaDeIdentidades entregarIdentidades(std::function<QList<IdentidadeDoPreenchimento>()> montagem,
                                         QList<VinculoDoPreenchimento> vinculos)
{
    EntregaDeIdentidades entrega;
    entrega.geracao = FilaDeIdentidades::doProcesso().substituir(std::move(montagem));
    entrega.vinculos = std::move(vinculos);
    return entrega;
}

void identidadesDoPreenchimento(const QList<ItemAberto> &itens)
{
    QList<VinculoDoPreenchimento> vinculos = VinculoDoPreenchimento::ler();
    QList<IdentidadeDoPreenchimento> identidades = montarIdentidades(itens, vinculos);
    (void)entregarIdentidades(std::move(identidades), std::move(vinculos));
}

QCoro::Task<bool> substituirEConfirmar(QList<IdentidadeDoPreenchimento> identidades,
                                       std::shared_ptr<RepositorioDeIdentidades> repositorio)
{
    // The awaiter is a named local built outside the coroutine body's expressions: GCC 12
    // mishandles lambda captures and temporaries inside a co_await expression.
    auto trabalho = noTrabalhador(substituicao(ou(std::move(repositorio)), std::move(identidades)));
    const Substituicao resultado = co_await trabalho;
    if (resultado == Substituicao::falhou)
        throw ErroDasIdentidades("falha-ao-substituir");
    co_return resultado == Substituicao::feita;
}

QCoro::Task<> substituirIdentidadesDoPreenchimento(QList<IdentidadeDoPreenchimento> identidades,
                                                   std::shared_ptr<RepositorioDeIdentidades> repositorio)
{
    auto substituicao = substituirEConfirmar(std::move(identidades), std::move(repositorio));
    (void)co_await std::move(substituicao);
}

QCoro::Task<> removerIdentidadesDoPreenchimento()
{
    auto remocao = FilaDeIdentidades::doProcesso().remover();
    co_await std::move(remocao);
}

QCoro::Task<> removerIdentidadesDoPreenchimento(std::shared_ptr<RepositorioDeIdentidades> repositorio)
{
    auto trabalho = noTrabalhador(remocao(ou(std::move(repositorio))));
    co_await trabalho;
}
