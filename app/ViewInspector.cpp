// The Inspector: the converter's value, the one the Bits panel shows, read
// as every type of its width in both byte orders. It is read only while the
// panel is shown, so that a session that never shows it pays nothing.
#include "app/CBytewhirlView.h"

#include "numtext/Readings.h"

namespace quibo {

void CBytewhirlView::RefreshReadings()
{
    if (!m_frame.IsInspectorVisible()) {
        m_readingsShown.reset();
        return;
    }
    const CBytewhirlDoc& doc = GetDocument();
    const std::uint64_t value = doc.ConverterValue();
    if (m_readingsShown && m_readingsShown->first == doc.m_nDataType && m_readingsShown->second == value)
        return;
    m_readingsShown.emplace(doc.m_nDataType, value);
    InspectorTable table;
    table.widthBits = FindDataTypeInfo(doc.m_nDataType)->widthBits;
    std::vector<Reading> readings = Readings(value, table.widthBits);
    table.rows.reserve(readings.size());
    for (Reading& reading : readings)
        table.rows.push_back({std::move(reading.name), std::move(reading.mot), std::move(reading.in)});
    m_frame.SetReadings(std::move(table));
}

}  // namespace quibo
