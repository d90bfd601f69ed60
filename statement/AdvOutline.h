#pragma once
namespace Statement {

// How the Advanced statement's sections and blocks open: as the forecast's section and outline
// states say, all open, or all closed.
enum class AdvOutline { File, Open, Closed };

} // namespace Statement
