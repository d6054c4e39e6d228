// SPDX-License-Identifier: MIT
#pragma once
// Per-cell text and background colours of list views, kept in one XML document per list view.
// Qt-free: the view side learns of changes through the invalidate observer.
#include <pugixml.hpp>

#include <cstdint>
#include <functional>
#include <list>
#include <optional>
#include <unordered_map>

namespace durava::lvcolor {

// Whatever stable integer identifies a window (the view side uses the widget's address).
using WindowHandle = std::intptr_t;
// 0x00BBGGRR, red in the lowest byte.
using ColourRef = std::uint32_t;

struct CellColour {
    ColourRef text = 0;
    ColourRef background = 0;
    bool operator==(const CellColour&) const = default;
};

struct ColourDocument {
    WindowHandle listView = 0;
    pugi::xml_document document;
    // The document's cell elements by row and column: a list of 100,000 rows is coloured and
    // painted without searching the document.
    std::unordered_map<std::uint64_t, pugi::xml_node> cells;
};

// The stored colour of a cell of `document`, found by searching it; none when the cell has no
// element.
std::optional<CellColour> LookUpCellColour(const pugi::xml_document& document, std::int32_t row,
                                           std::int32_t column);

class ListViewColouring {
  public:
    // Asks for a repaint of the whole list view.
    using Invalidate = std::function<void(WindowHandle list)>;

    ListViewColouring() = default;
    ListViewColouring(const ListViewColouring&) = delete;
    ListViewColouring& operator=(const ListViewColouring&) = delete;

    // The list view that the cell operations below address, and the window it reports to.
    void SetWindows(WindowHandle parent, WindowHandle list);
    // Drops every stored colour and starts telling `invalidate` about changes.
    void AttachParent(Invalidate invalidate);
    void DetachParent();

    void SetCellColour(std::int32_t row, std::int32_t column, ColourRef text, ColourRef background);
    void RemoveCellColour(std::int32_t row, std::int32_t column);
    void ClearCellColours();

    std::optional<CellColour> LookUpCellColour(WindowHandle list, std::int32_t row,
                                               std::int32_t column) const;
    // Null while the list view has no stored colours.
    const pugi::xml_document* Document(WindowHandle list) const;

    // Detaches from the view side and releases every document.
    void Destroy();

  private:
    void InvalidateList() const;
    ColourDocument* Find(WindowHandle list);
    const ColourDocument* Find(WindowHandle list) const;

    // A list keeps the cell elements where the indexes point at them.
    std::list<ColourDocument> m_documents;
    WindowHandle m_parent = 0;
    WindowHandle m_list = 0;
    Invalidate m_invalidate;
};

}  // namespace durava::lvcolor
