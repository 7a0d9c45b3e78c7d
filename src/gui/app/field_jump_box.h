#pragma once

// The field-jump list on the toolbar: the field names of the current row's record type. A record
// type may have tens of thousands of fields and every cell move may change the type, so the list
// converts a name only when it is shown, and measures the names only when the list drops down,
// which is when its width is needed.

#include <string>
#include <vector>

#include <QComboBox>

namespace ranvo::gui {

class FieldNameModel;

class FieldJumpBox : public QComboBox {
    Q_OBJECT

public:
    explicit FieldJumpBox(QWidget* parent = nullptr);

    // Shows `names` (CP932) unless they are the names shown already.
    void setNames(const std::vector<std::string>& names);

    // The list drops down as wide as its widest name + 20 pixels.
    void showPopup() override;

private:
    FieldNameModel* m_model = nullptr;
};

} // namespace ranvo::gui
