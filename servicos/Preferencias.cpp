#include "servicos/Preferencias.h"

#include "core/Configuracao.h"

namespace {

Padroes suiteDoApp()
{
    if (auto grupo = Padroes::doGrupo(grupoDoApp()))
        return std::move(*grupo);
    return Padroes::padrao();
}

} // namespace

Preferencias::Preferencias(QObject *parent) : Preferencias(suiteDoApp(), parent) {}

Preferencias::Preferencias(Padroes armazenamento, QObject *parent)
    : QObject(parent), armazenamento_(std::move(armazenamento))
{
    const QString bloqueio = QString::fromLatin1(chaveDoBloqueio);
    if (const auto segundos = armazenamento_.inteiro(bloqueio))
        bloqueio_ = opcaoDeBloqueio(*segundos).value_or(OpcaoDeBloqueio::imediato);
    protegerApp_ = armazenamento_.logico(QString::fromLatin1(chaveDeProtegerApp)).value_or(true);
    ultimoEmail_ = armazenamento_.texto(QString::fromLatin1(chaveDoUltimoEmail)).value_or(QString());
    if (const auto dados = armazenamento_.dados(QString::fromLatin1(chaveDasOpcoesDoGerador))) {
        // Undecodable options fall back to the defaults without a word.
        opcoesDoGerador_ = OpcoesDeSenha::decodificar(*dados).value_or(OpcoesDeSenha());
    }
}

// Each setter writes the value even when it is unchanged, so the stored form always follows
// what the user last chose; a failed write keeps the value in memory.

void Preferencias::definirBloqueio(OpcaoDeBloqueio valor)
{
    const bool mudou = valor != bloqueio_;
    bloqueio_ = valor;
    (void)armazenamento_.definirInteiro(QString::fromLatin1(chaveDoBloqueio), valorBruto(valor));
    if (mudou)
        emit bloqueioMudou();
}

void Preferencias::definirProtegerApp(bool valor)
{
    const bool mudou = valor != protegerApp_;
    protegerApp_ = valor;
    (void)armazenamento_.definirLogico(QString::fromLatin1(chaveDeProtegerApp), valor);
    if (mudou)
        emit protegerAppMudou();
}

void Preferencias::definirOpcoesDoGerador(const OpcoesDeSenha &valor)
{
    const bool mudou = !(valor == opcoesDoGerador_);
    opcoesDoGerador_ = valor;
    (void)armazenamento_.definirDados(QString::fromLatin1(chaveDasOpcoesDoGerador), valor.codificar());
    if (mudou)
        emit opcoesDoGeradorMudou();
}

void Preferencias::definirUltimoEmail(const QString &valor)
{
    const bool mudou = valor != ultimoEmail_;
    ultimoEmail_ = valor;
    (void)armazenamento_.definirTexto(QString::fromLatin1(chaveDoUltimoEmail), valor);
    if (mudou)
        emit ultimoEmailMudou();
}
