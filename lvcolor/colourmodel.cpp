// SPDX-License-Identifier: MIT
#include "lvcolor/colourmodel.h"

#include <charconv>
#include <string>
#include <string_view>
#include <utility>

#include "core/numbers.h"

namespace durava::lvcolor {
namespace {

constexpr char kDocumentElement[] = "LVINFO";

std::string CellName(std::int32_t row, std::int32_t column) {
    return "Item" + core::IntegerToText(row) + "." + core::IntegerToText(column);
}

void SetNumber(pugi::xml_node node, const char* name, long long value) {
    pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) attribute = node.append_attribute(name);
    attribute.set_value(core::IntegerToText(value).c_str());
}

// Whole decimal text only, cut to its low 32 bits; anything else reads as 0 (black).
ColourRef ReadColour(pugi::xml_attribute attribute) {
    const std::string_view text = attribute.value();
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return 0;
    return static_cast<ColourRef>(value);
}

std::uint64_t CellKey(std::int32_t row, std::int32_t column) {
    return std::uint64_t{static_cast<std::uint32_t>(row)} << 32 |
           static_cast<std::uint32_t>(column);
}

std::optional<CellColour> ColourOf(pugi::xml_node cell) {
    if (!cell) return std::nullopt;
    return CellColour{ReadColour(cell.attribute("clrText")),
                      ReadColour(cell.attribute("clrTextBk"))};
}

}  // namespace

std::optional<CellColour> LookUpCellColour(const pugi::xml_document& document, std::int32_t row,
                                           std::int32_t column) {
    return ColourOf(document.child(kDocumentElement).child(CellName(row, column).c_str()));
}

void ListViewColouring::SetWindows(WindowHandle parent, WindowHandle list) {
    m_parent = parent;
    m_list = list;
}

void ListViewColouring::AttachParent(Invalidate invalidate) {
    m_documents.clear();
    m_invalidate = std::move(invalidate);
}

void ListViewColouring::DetachParent() {
    m_invalidate = nullptr;
}

void ListViewColouring::SetCellColour(std::int32_t row, std::int32_t column, ColourRef text,
                                      ColourRef background) {
    ColourDocument* record = Find(m_list);
    if (record == nullptr) {
        record = &m_documents.emplace_back();
        record->listView = m_list;
        pugi::xml_node info = record->document.append_child(kDocumentElement);
        SetNumber(info, "hParent", m_parent);
        SetNumber(info, "hWnd", m_list);
    }
    pugi::xml_node& cell = record->cells[CellKey(row, column)];
    if (!cell) {
        cell = record->document.child(kDocumentElement).append_child(CellName(row, column).c_str());
    }
    SetNumber(cell, "Row", row);
    SetNumber(cell, "Column", column);
    SetNumber(cell, "clrText", text);
    SetNumber(cell, "clrTextBk", background);
    InvalidateList();
}

void ListViewColouring::RemoveCellColour(std::int32_t row, std::int32_t column) {
    ColourDocument* record = Find(m_list);
    if (record == nullptr) return;
    const auto found = record->cells.find(CellKey(row, column));
    if (found == record->cells.end()) return;
    record->document.child(kDocumentElement).remove_child(found->second);
    record->cells.erase(found);
    // Repaints only when a colour really went away.
    InvalidateList();
}

void ListViewColouring::ClearCellColours() {
    if (std::erase_if(m_documents, [this](const ColourDocument& record) {
            return record.listView == m_list;
        }) > 0) {
        InvalidateList();
    }
}

std::optional<CellColour> ListViewColouring::LookUpCellColour(WindowHandle list, std::int32_t row,
                                                              std::int32_t column) const {
    const ColourDocument* record = Find(list);
    if (record == nullptr) return std::nullopt;
    const auto found = record->cells.find(CellKey(row, column));
    return found == record->cells.end() ? std::nullopt : ColourOf(found->second);
}

const pugi::xml_document* ListViewColouring::Document(WindowHandle list) const {
    const ColourDocument* record = Find(list);
    return record == nullptr ? nullptr : &record->document;
}

ColourDocument* ListViewColouring::Find(WindowHandle list) {
    for (ColourDocument& record : m_documents) {
        if (record.listView == list) return &record;
    }
    return nullptr;
}

const ColourDocument* ListViewColouring::Find(WindowHandle list) const {
    return const_cast<ListViewColouring*>(this)->Find(list);
}

void ListViewColouring::Destroy() {
    DetachParent();
    m_documents.clear();
}

void ListViewColouring::InvalidateList() const {
    if (m_invalidate) m_invalidate(m_list);
}

}  // namespace durava::lvcolor
