#include "plataforma/CofreDeSegredosLibsecret.h"

// glib's headers use "signals" as an identifier, which Qt defines as a macro.
#undef signals
#include <libsecret/secret.h>

#include <memory>

namespace {

const SecretSchema *esquema()
{
    static const SecretSchema valor = {
        "app.corvane",
        SECRET_SCHEMA_NONE,
        {
            {"service", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {"account", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {"group", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING},
        },
        0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    };
    return &valor;
}

struct LiberarTabela {
    void operator()(GHashTable *tabela) const { g_hash_table_unref(tabela); }
};
struct LiberarErro {
    void operator()(GError *erro) const { g_error_free(erro); }
};
struct LiberarValor {
    void operator()(SecretValue *valor) const { secret_value_unref(valor); }
};
struct LiberarItens {
    void operator()(GList *itens) const { g_list_free_full(itens, g_object_unref); }
};

using Tabela = std::unique_ptr<GHashTable, LiberarTabela>;
using Erro = std::unique_ptr<GError, LiberarErro>;

// The attribute table owns copies of its texts, so it outlives the QByteArrays it was built from.
Tabela atributos(const ConsultaDeSegredo &consulta)
{
    Tabela tabela(g_hash_table_new_full(g_str_hash, g_str_equal, g_free, g_free));
    const auto inserir = [&](const char *nome, const QString &valor) {
        g_hash_table_insert(tabela.get(), g_strdup(nome), g_strdup(valor.toUtf8().constData()));
    };
    inserir("service", consulta.servico);
    inserir("account", consulta.conta);
    if (consulta.grupo)
        inserir("group", *consulta.grupo);
    return tabela;
}

// Errors from the service about a locked collection (its prompt dismissed or impossible) versus
// everything else (no bus, no service, D-Bus failures), which means the store is not there.
std::int32_t statusDoErro(const GError *erro)
{
    if (erro && erro->domain == SECRET_ERROR && erro->code == SECRET_ERROR_IS_LOCKED)
        return CofreDeSegredos::statusInteracaoNegada;
    return CofreDeSegredos::statusIndisponivel;
}

QString rotulo(const ConsultaDeSegredo &consulta)
{
    return QStringLiteral("Corvane: %1").arg(consulta.conta);
}

} // namespace

LeituraDeSegredo CofreDeSegredosLibsecret::ler(const ConsultaDeSegredo &consulta)
{
    const Tabela tabela = atributos(consulta);
    GError *bruto = nullptr;
    // A search rather than secret_password_lookup: the lookup gives "nothing" both for a
    // missing item and for a locked one it could not unlock; here the two stay apart.
    const auto flags = static_cast<SecretSearchFlags>(SECRET_SEARCH_UNLOCK | SECRET_SEARCH_LOAD_SECRETS);
    const std::unique_ptr<GList, LiberarItens> itens(
        secret_service_search_sync(nullptr, esquema(), tabela.get(), flags, nullptr, &bruto));
    const Erro erro(bruto);
    if (erro)
        return LeituraDeSegredo::indisponivel();
    if (!itens)
        return LeituraDeSegredo::ausente();

    auto *item = static_cast<SecretItem *>(itens->data);
    if (secret_item_get_locked(item))
        return LeituraDeSegredo::indisponivel();
    const std::unique_ptr<SecretValue, LiberarValor> valor(secret_item_get_secret(item));
    if (!valor)
        return LeituraDeSegredo::indisponivel();
    gsize tamanho = 0;
    const gchar *dados = secret_value_get(valor.get(), &tamanho);
    return LeituraDeSegredo::presente(QByteArray(dados, static_cast<qsizetype>(tamanho)));
}

std::int32_t CofreDeSegredosLibsecret::gravar(const ConsultaDeSegredo &consulta, const QByteArray &bytes)
{
    const Tabela tabela = atributos(consulta);
    const std::unique_ptr<SecretValue, LiberarValor> valor(
        secret_value_new(bytes.constData(), bytes.size(), "application/octet-stream"));
    GError *bruto = nullptr;
    const gboolean gravado = secret_service_store_sync(nullptr, esquema(), tabela.get(), SECRET_COLLECTION_DEFAULT,
                                                       rotulo(consulta).toUtf8().constData(), valor.get(), nullptr,
                                                       &bruto);
    const Erro erro(bruto);
    if (!gravado || erro)
        return statusDoErro(erro.get());
    return statusSucesso;
}

std::int32_t CofreDeSegredosLibsecret::apagar(const ConsultaDeSegredo &consulta)
{
    const Tabela tabela = atributos(consulta);
    GError *bruto = nullptr;
    // FALSE without an error means there was nothing to delete.
    (void)secret_service_clear_sync(nullptr, esquema(), tabela.get(), nullptr, &bruto);
    const Erro erro(bruto);
    return erro ? statusDoErro(erro.get()) : statusSucesso;
}

bool CofreDeSegredosLibsecret::responde()
{
    GError *bruto = nullptr;
    SecretService *servico = secret_service_get_sync(SECRET_SERVICE_OPEN_SESSION, nullptr, &bruto);
    const Erro erro(bruto);
    if (!servico)
        return false;
    const bool aberta = secret_service_get_session_algorithms(servico) != nullptr;
    g_object_unref(servico);
    return aberta && !erro;
}
