// The vault window's three sections, their texts, and the search rule every section's list
// applies to the window's search text.
#pragma once

#include "core/ConteudoDoItem.h"

#include <QString>
#include <QStringList>

#include <optional>

enum class SecaoDoMac { codigos, senhas, notas };

// Every section, in the order of the sidebar's rows.
inline constexpr SecaoDoMac todasAsSecoes[] = {SecaoDoMac::codigos, SecaoDoMac::senhas, SecaoDoMac::notas};

// "codigos", "senhas", "notas".
[[nodiscard]] QString valorBruto(SecaoDoMac secao);
// Exact match of the raw value; any other text gives nothing.
[[nodiscard]] std::optional<SecaoDoMac> secaoDoMac(const QString &valorBruto);
// The window reads a missing or unknown section as the codes section.
[[nodiscard]] SecaoDoMac secaoOuCodigos(const QString &valorBruto);

[[nodiscard]] QString titulo(SecaoDoMac secao);
// The sidebar row's symbol.
[[nodiscard]] QString simbolo(SecaoDoMac secao);
// The search field's placeholder: "Buscar " and the title in lower case.
[[nodiscard]] QString dicaDaBusca(SecaoDoMac secao);
// The header's add button.
[[nodiscard]] QString rotuloDeAdicionar(SecaoDoMac secao);
// The kind of item the section's add action creates.
[[nodiscard]] TipoDeItem tipoNovo(SecaoDoMac secao);
// The line under the header's title: how many items the section holds and what they are for.
[[nodiscard]] QString subtitulo(SecaoDoMac secao, qint64 total);

// Whether an item with these fields is shown for the search text: the text trimmed of spaces
// and tabs (not line breaks); empty shows everything; otherwise the first field that contains it,
// ignoring letter case but not accents, shows the item.
[[nodiscard]] bool combinaComBusca(const QString &busca, const QStringList &campos);
// The same, for a search text already trimmed (lists filter many items with one text).
[[nodiscard]] bool combinaComBuscaAparada(QStringView aparada, const QStringList &campos);
// The search text as the rule compares it.
[[nodiscard]] QString aparaBusca(const QString &busca);
