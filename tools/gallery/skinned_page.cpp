// The skinned page: the section registry, the flow layout of the sections and
// the form that owns the stored skin.

#include "tools/gallery/skinned_page.h"

#include <algorithm>

#include "forms/stdctrls.h"
#include "skin/embedded_skin.h"
#include "skinned/skin_form.h"

namespace lt::gallery {
namespace {

// Function-local so that registrations from other files' static objects
// find it constructed, whatever the order of static initialisation.
std::vector<Section>& registry()
{
    static std::vector<Section> sections;
    return sections;
}

constexpr int kPageWidth = 1000;
constexpr int kGap = 6;

class TSkinnedPageForm : public TForm {
public:
    explicit TSkinnedPageForm(TComponent* owner) : TForm(owner)
    {
        SetCaption(cp("Skinned gallery - 长尾词查询工具"));
        Font().SetName(cp("新宋体"));
        Font().SetHeight(-12);

        stored_ = new TskCompressedStoredSkin(this);
        AssignEmbeddedSkin(*stored_);
        data_ = new TskSkinData(this);
        data_->SetCompressedStoredSkin(stored_);

        // The skinned frame as the program's main window has it: centred on
        // the screen, minimize and maximize buttons, the system menu on a
        // right click on the caption. Menus of the sections show through it.
        frame_ = new TskSkinForm(this);
        frame_->PositionInMonitor = TskPositionInMonitor::skpScreenCenter;
        frame_->SetBorderIcons(biMinimize | biMaximize);
        frame_->SetShowIcon(true);
        frame_->DefCaptionFont().SetDesc(FontDesc{cp("宋体"), -14, true, false, false, false, ANSI_CHARSET, clBtnText});
        frame_->SetDefMenuItemHeight(20);
        frame_->SetSkinData(data_);

        // Flow layout: sections in rank order, left to right, wrapping at the
        // page's width.
        int x = kGap, y = kGap, row_height = 0, width = 0;
        for (const Section& s : Sections()) {
            if (x > kGap && x + s.size.width > kPageWidth) {
                x = kGap;
                y += row_height + kGap;
                row_height = 0;
            }
            auto* host = new TPanel(this);
            host->BevelOuter = TBevelCut::bvNone;
            host->SetParent(this);
            host->SetBounds(x, y, s.size.width, s.size.height);
            SectionContext ctx{host, this, data_};
            s.build(ctx);
            x += s.size.width + kGap;
            row_height = std::max(row_height, s.size.height);
            width = std::max(width, x);
        }
        SetClientSize(std::max(width, 320), y + row_height + kGap);
    }

private:
    TskCompressedStoredSkin* stored_ = nullptr;
    TskSkinData* data_ = nullptr;
    TskSkinForm* frame_ = nullptr;
};

} // namespace

SectionRegistration::SectionRegistration(
    std::string name, int rank, Size size, std::function<void(SectionContext&)> build)
{
    registry().push_back({std::move(name), rank, size, std::move(build)});
}

std::vector<Section> Sections()
{
    std::vector<Section> sections = registry();
    std::stable_sort(
        sections.begin(), sections.end(), [](const Section& a, const Section& b) { return a.rank < b.rank; });
    return sections;
}

TForm* CreateSkinnedPage(TApplication& app)
{
    TSkinnedPageForm* form = nullptr;
    app.CreateForm(form);
    return form;
}

} // namespace lt::gallery
