// Labels on skinned dialogs: CTransparentStatic draws a line of text on the dialog's
// picture (or on a box of a colour); CControlStatic shows one of up to 20 frames
// (digits, gauges).
#pragma once

#include <string>

#include "framework/controls.h"
#include "framework/gdi.h"
#include "skin/skin_file.h"

class CTransparentStatic : public CStatic {
public:
    CTransparentStatic();
    ~CTransparentStatic() override;

    void SetBackgroundColour(COLORREF colour);
    void SetTextColour(COLORREF colour);
    void SetTransparent(bool transparent) { m_transparent = transparent; }

protected:
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT OnSetText(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void RedrawNow();

    COLORREF m_background;
    COLORREF m_text = 0;
    bool m_transparent = true;
    gdi::Brush m_brush;
};

class CControlStatic : public CStatic {
public:
    CControlStatic() = default;
    ~CControlStatic() override;

    bool Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Takes frames 0 … frameCount − 1 from the slots and decodes the first; the others
    // are decoded when first shown. A frame that cannot be loaded repeats the one before it.
    void LoadFrames(const SkinPath* slots);
    // Takes copies of another control's frames (read-outs sharing one frame list); the
    // source decodes all of its frames first, so the pictures are decoded once.
    void CopyFrames(CControlStatic& source);

    unsigned m_frameCount = 1;  // 1 to 20
    int m_frameIndex = 0;
    bool m_blank = false;

protected:
    void PreSubclassWindow() override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT OnFitPicture(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void DeleteFrames();
    void FitToFirstFrame();
    int FrameCount() const;
    // A frame, decoded on its first use.
    HBITMAP Frame(int index);

    gdi::Bitmap m_frames[kMaxFrames];
    std::wstring m_paths[kMaxFrames];
    bool m_decoded[kMaxFrames] = {};
};
