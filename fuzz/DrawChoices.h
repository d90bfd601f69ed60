#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "database/LayoutKey.h"
#include "fuzz/InputTail.h"
#include "statement/AdvOutline.h"

// How the statement fuzzer draws one forecast: read from the input's tail, and written by the
// seed writer so that the committed seeds reach other keys, sizes and scroll positions.
struct DrawChoices {
    // Keys chosen besides the default one of each edition: enough to reach another scenario,
    // company, year or graph page without letting one input run for long.
    static constexpr int kMaxKeys = 3;
    // The window's client area, up to what the PNG export draws.
    static constexpr int kMaxClientSide = 8192;

    struct StdKey {
        int scenario = 0;
        int company = 0;
        int year = 0;
    };

    // Stored values put in place of the file's.
    std::optional<std::int32_t> zoom;
    std::optional<std::int32_t> fontSize;
    int width = 0;
    int height = 0;
    // Where the second pass scrolls to, in 255ths of each scroll range.
    std::uint8_t hScroll = 0;
    std::uint8_t vScroll = 0;
    // Resolution and orientation of the paper (see the fuzzer).
    std::uint8_t paper = 0;
    std::vector<StdKey> stdKeys;
    Statement::AdvOutline outline = Statement::AdvOutline::File;
    std::vector<LayoutKey> advKeys;
};

inline DrawChoices ReadChoices(InputTail& tail) {
    DrawChoices c;
    const std::uint8_t settings = tail.Byte();
    if (settings & 1)
        c.zoom = static_cast<std::int32_t>(tail.Word32());
    if (settings & 2)
        c.fontSize = static_cast<std::int32_t>(tail.Word32());
    c.width = tail.InRange(0, DrawChoices::kMaxClientSide);
    c.height = tail.InRange(0, DrawChoices::kMaxClientSide);
    c.hScroll = tail.Byte();
    c.vScroll = tail.Byte();
    c.paper = tail.Byte();
    const int keys = tail.Byte() % (DrawChoices::kMaxKeys + 1);
    for (int k = 0; k < keys; ++k)
        c.stdKeys.push_back({tail.InRange(-2, 6), tail.InRange(-2, 6), tail.InRange(-1, 6)});
    c.outline = static_cast<Statement::AdvOutline>(tail.Byte() % 3);
    for (int k = 0; k < keys; ++k) {
        LayoutKey key;
        key[LayoutKey::kView] = tail.InRange(-1, 3);
        key[LayoutKey::kScenario] = tail.InRange(-2, 6);
        key[LayoutKey::kCompany] = tail.InRange(-2, 6);
        key[LayoutKey::kYear] = tail.InRange(-1, 6);
        const int graph = tail.InRange(-1, 2);
        key[LayoutKey::kGraph] = graph < 0 ? LayoutKey::kNoEntry : graph;
        c.advKeys.push_back(key);
    }
    return c;
}

// The tail that ReadChoices reads back as `c`. The Standard keys, up to kMaxKeys, set how many
// Advanced keys follow; a missing one is written as the key the Advanced view starts with.
inline std::vector<std::uint8_t> WriteChoices(const DrawChoices& c) {
    TailWriter tail;
    tail.Byte(static_cast<std::uint8_t>((c.zoom ? 1 : 0) | (c.fontSize ? 2 : 0)));
    if (c.zoom)
        tail.Word32(static_cast<std::uint32_t>(*c.zoom));
    if (c.fontSize)
        tail.Word32(static_cast<std::uint32_t>(*c.fontSize));
    tail.InRange(0, c.width).InRange(0, c.height).Byte(c.hScroll).Byte(c.vScroll).Byte(c.paper);
    const int keys = std::min<int>(static_cast<int>(c.stdKeys.size()), DrawChoices::kMaxKeys);
    tail.Byte(static_cast<std::uint8_t>(keys));
    for (int k = 0; k < keys; ++k) {
        const DrawChoices::StdKey& key = c.stdKeys[static_cast<std::size_t>(k)];
        tail.InRange(-2, key.scenario).InRange(-2, key.company).InRange(-1, key.year);
    }
    tail.Byte(static_cast<std::uint8_t>(c.outline));
    for (int k = 0; k < keys; ++k) {
        const LayoutKey key =
            static_cast<std::size_t>(k) < c.advKeys.size() ? c.advKeys[static_cast<std::size_t>(k)]
                                                           : LayoutKey(0, -1, -1, 0);
        const int graph = key[LayoutKey::kGraph] == LayoutKey::kNoEntry ? -1 : key[LayoutKey::kGraph];
        tail.InRange(-1, key[LayoutKey::kView]).InRange(-2, key[LayoutKey::kScenario]);
        tail.InRange(-2, key[LayoutKey::kCompany]).InRange(-1, key[LayoutKey::kYear]);
        tail.InRange(-1, graph);
    }
    return tail.Bytes();
}
