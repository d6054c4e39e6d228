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

pugi::xml_node CellElement(const pugi::xml_document& document, std::int32_t row,
                           std::int32_t column) {
    return document.child(kDocumentElement).child(CellName(row, column).c_str());
}

}  // namespace

std::optional<CellColour> LookUpCellColour(const pugi::xml_document& document, std::int32_t row,
                                           std::int32_t column) {
    const pugi::xml_node cell = CellElement(document, row, column);
    if (!cell) return std::nullopt;
    return CellColour{ReadColour(cell.attribute("clrText")),
                      ReadColour(cell.attribute("clrTextBk"))};
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
    ColourDocument* record = nullptr;
    for (ColourDocument& candidate : m_documents) {
        if (candidate.listView == m_list) {
            record = &candidate;
            break;
        }
    }
    if (record == nullptr) {
        record = &m_documents.emplace_back();
        record->listView = m_list;
        pugi::xml_node info = record->document.append_child(kDocumentElement);
        SetNumber(info, "hParent", m_parent);
        SetNumber(info, "hWnd", m_list);
    }
    pugi::xml_node root = record->document.child(kDocumentElement);
    const std::string name = CellName(row, column);
    pugi::xml_node cell = root.child(name.c_str());
    if (!cell) cell = root.append_child(name.c_str());
    SetNumber(cell, "Row", row);
    SetNumber(cell, "Column", column);
    SetNumber(cell, "clrText", text);
    SetNumber(cell, "clrTextBk", background);
    InvalidateList();
}

void ListViewColouring::RemoveCellColour(std::int32_t row, std::int32_t column) {
    const std::string name = CellName(row, column);
    for (ColourDocument& record : m_documents) {
        if (record.listView != m_list) continue;
        pugi::xml_node root = record.document.child(kDocumentElement);
        // Repaints only when a colour really went away.
        if (root.remove_child(name.c_str())) InvalidateList();
    }
}

void ListViewColouring::ClearCellColours() {
    for (auto i = m_documents.size(); i-- > 0;) {
        if (m_documents[i].listView != m_list) continue;
        m_documents.erase(m_documents.begin() + static_cast<std::ptrdiff_t>(i));
        InvalidateList();
    }
}

std::optional<CellColour> ListViewColouring::LookUpCellColour(WindowHandle list, std::int32_t row,
                                                              std::int32_t column) const {
    const pugi::xml_document* document = Document(list);
    if (document == nullptr) return std::nullopt;
    return lvcolor::LookUpCellColour(*document, row, column);
}

const pugi::xml_document* ListViewColouring::Document(WindowHandle list) const {
    for (const ColourDocument& record : m_documents) {
        if (record.listView == list) return &record.document;
    }
    return nullptr;
}

void ListViewColouring::Destroy() {
    DetachParent();
    m_documents.clear();
}

void ListViewColouring::InvalidateList() const {
    if (m_invalidate) m_invalidate(m_list);
}

}  // namespace durava::lvcolor
