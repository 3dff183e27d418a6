// Consuming what the AutoFill extension left in its exchange files: new passwords become vault
// items, and code-to-domain links become sites of the code items. An entry leaves its file only
// once it is in the vault or can never get there; the files' own locked rewrite keeps whatever
// the extension appends meanwhile, and a file that cannot be read is never touched.
#include "vault/Cofre.h"

#include "core/ArquivosDoPreenchimento.h"
#include "core/Envelope.h"
#include "core/ErroDeCripto.h"

#include <QHash>
#include <QPointer>
#include <QSet>

#include <exception>

namespace {

// The content a new password was sealed with for its own id; nothing when it does not open
// with this key or is not a JSON object.
std::optional<ObjetoJSON> abrirNova(const NovaDoPreenchimento &nova, const QByteArray &chave)
{
    try {
        const ValorJSON valor = ValorJSON::ler(Cripto::abrirEnvelope(nova.dados, chave, Cripto::rotuloDoItem(nova.id)));
        if (const ObjetoJSON *objeto = valor.comoObjeto())
            return *objeto;
    } catch (const ErroDeCripto &) {
    }
    return std::nullopt;
}

} // namespace

// Named, so no argument temporary lives across the wait: GCC 12 destroys those twice
// when the awaited task throws.
QCoro::Task<> Cofre::importarNovasSenhas()
{
    const QList<NovaDoPreenchimento> novas = NovaDoPreenchimento::ler();
    if (novas.isEmpty())
        co_return;

    const QPointer<Cofre> vivo(this);
    QSet<QString> tratadas;
    for (const NovaDoPreenchimento &nova : novas) {
        if (abertos_.contains(nova.id)) {
            tratadas.insert(nova.id); // reached the vault on an earlier run
            continue;
        }
        const std::optional<ObjetoJSON> conteudo = abrirNova(nova, chave_);
        if (!conteudo) {
            tratadas.insert(nova.id); // can never be uploaded
            continue;
        }
        bool guardada = false;
        try {
            QCoro::Task<ItemAberto> gravacao = guardar(nova.id, *conteudo, TipoDeItem::senha, std::nullopt);
            (void)co_await std::move(gravacao);
            guardada = true;
        } catch (const std::exception &e) {
            // Stays in the file and is tried again after the next synchronisation.
            qCWarning(categoriaDoCofre, "senha nova do preenchimento não enviada: %s", e.what());
        }
        if (!vivo)
            co_return;
        if (guardada)
            tratadas.insert(nova.id);
    }
    NovaDoPreenchimento::remover(tratadas);
}

QCoro::Task<> Cofre::aplicarVinculosDeCodigos()
{
    const QList<VinculoDoPreenchimento> vinculos = VinculoDoPreenchimento::ler();
    if (vinculos.isEmpty())
        co_return;

    // Grouped by code item, each group in file order; groups visited in order of first mention.
    QList<QString> ordemDosGrupos;
    QHash<QString, QList<VinculoDoPreenchimento>> grupos;
    for (const VinculoDoPreenchimento &vinculo : vinculos) {
        auto grupo = grupos.find(vinculo.id);
        if (grupo == grupos.end()) {
            ordemDosGrupos.append(vinculo.id);
            grupo = grupos.insert(vinculo.id, {});
        }
        grupo->append(vinculo);
    }

    const QPointer<Cofre> vivo(this);
    QSet<VinculoDoPreenchimento> tratados;
    const auto tratarGrupo = [&tratados](const QList<VinculoDoPreenchimento> &grupo) {
        for (const VinculoDoPreenchimento &vinculo : grupo)
            tratados.insert(vinculo);
    };
    for (const QString &id : ordemDosGrupos) {
        const QList<VinculoDoPreenchimento> grupo = grupos.value(id);
        const auto aberto = abertos_.constFind(id);
        if (aberto == abertos_.cend() || !aberto->conteudo.codigo()) {
            tratarGrupo(grupo); // can never apply
            continue;
        }
        DadosDeCodigo dados = *aberto->conteudo.codigo();
        const qint64 revisaoVista = aberto->revisao;

        const QList<QString> atuais = dados.dominios();
        QList<QString> novos;
        for (const VinculoDoPreenchimento &vinculo : grupo) {
            if (!atuais.contains(vinculo.dominio) && !novos.contains(vinculo.dominio))
                novos.append(vinculo.dominio);
        }
        if (novos.isEmpty()) {
            tratarGrupo(grupo);
            continue;
        }

        dados.definirSites(dados.json.sites() + novos);
        bool guardado = false;
        try {
            QCoro::Task<ItemAberto> gravacao = guardar(id, dados.json, TipoDeItem::codigo, revisaoVista);
            (void)co_await std::move(gravacao);
            guardado = true;
        } catch (const std::exception &e) {
            // Such as a conflict with an edit on another device: retried against the newer version.
            qCWarning(categoriaDoCofre, "vínculos do preenchimento não aplicados: %s", e.what());
        }
        if (!vivo)
            co_return;
        if (guardado)
            tratarGrupo(grupo);
    }
    VinculoDoPreenchimento::remover(tratados);
}
