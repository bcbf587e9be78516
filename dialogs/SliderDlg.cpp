#include "dialogs/SliderDlg.h"

#include "album/WppProfile.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/ResString.h"

namespace {

// Each choice's item data is its position: the stored value.
template <size_t N>
void FillChoices(HWND combo, const wchar_t* const (&texts)[N]) {
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (size_t value = 0; value < N; ++value) {
        const LRESULT at = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[value]));
        if (at >= 0) SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(value));
    }
}

}  // namespace

int CSliderDlg::TemplateId() const { return IDD_SLIDER_PAGE; }

void CSliderDlg::PrepareControls() {
    static const wchar_t* const vertical[3] = {L"top", L"center", L"bottom"};
    static const wchar_t* const horizontal[3] = {L"left", L"center", L"right"};
    FillChoices(Item(IDC_ALIGN_VERT), vertical);
    FillChoices(Item(IDC_ALIGN_HORZ), horizontal);
    // In the order of the stored "Caption" values.
    const tstr captions[4] = {LoadResString(nullptr, IDS_CAPTION_NONE), LoadResString(nullptr, IDS_CAPTION_DATE),
                              LoadResString(nullptr, IDS_CAPTION_DATE_FOLDER),
                              LoadResString(nullptr, IDS_CAPTION_FILE_NAME)};
    const wchar_t* const texts[4] = {captions[0].c_str(), captions[1].c_str(), captions[2].c_str(),
                                     captions[3].c_str()};
    FillChoices(Item(IDC_CAPTION), texts);
}

void CSliderDlg::BindControls(CWppProfile& album) {
    BindTriple(album.SizeX(), IDC_SIZE_X_EDIT, IDC_SIZE_X_SPIN, IDC_SIZE_X_TRACK);
    BindTriple(album.SizeY(), IDC_SIZE_Y_EDIT, IDC_SIZE_Y_SPIN, IDC_SIZE_Y_TRACK);
    BindTriple(album.SliderVis(), IDC_VIS_EDIT, IDC_VIS_SPIN, IDC_VIS_TRACK);
    BindTriple(album.SliderVisIn(), IDC_VIS_IN_EDIT, IDC_VIS_IN_SPIN, IDC_VIS_IN_TRACK);
    BindParam(this, &album.Maximized(), kParamCheckBox, IDC_FULLSCREEN);
    BindParam(this, &album.PlacementY(), kParamComboData, IDC_ALIGN_VERT);
    BindParam(this, &album.PlacementX(), kParamComboData, IDC_ALIGN_HORZ);
    BindParam(this, &album.HideFromCapture(), kParamCheckBox, IDC_HIDE_FROM_CAPTURE);
    BindParam(this, &album.Caption(), kParamComboData, IDC_CAPTION);
    BindParam(this, &album.OnThisDay(), kParamCheckBox, IDC_ON_THIS_DAY);
    // A drop of the frame sets these with the alignment: Cancel takes all back.
    BindParam(this, &album.MarginX(), kParamNone, 0);
    BindParam(this, &album.MarginY(), kParamNone, 0);
    BindParam(this, &album.Monitor(), kParamNone, 0);
}
