#include "skinned/form_broadcast.h"

#include "forms/forms.h"
#include "platform/window.h"

#include <vector>

namespace lt {

namespace {

class FormsBroadcaster final : public SkinMessageBroadcaster {
public:
    void BroadcastSkinMessage(TskSkinData& data, unsigned message) override
    {
        auto* owner_form = dynamic_cast<TCustomForm*>(data.Owner());
        // A form may react by creating or freeing forms; the list is taken
        // first and each form checked before it is sent to.
        std::vector<TCustomForm*> targets;
        if (owner_form)
            targets.push_back(owner_form);
        for (int i = 0; i < TApplication::FormCount(); ++i)
            if (TApplication::Forms(i) != owner_form)
                targets.push_back(TApplication::Forms(i));
        for (TCustomForm* form : targets) {
            if (!still_a_form(form))
                continue;
            if (Window* window = form->Handle())
                window->send(message, skin_data_param(data), kSkinMessageLParam);
        }
    }

    void RepaintAfterFailedLoad(TskSkinData&) override
    {
        for (int i = 0; i < TApplication::FormCount(); ++i)
            if (Window* window = TApplication::Forms(i)->WindowHandle())
                window->invalidate();
    }

private:
    static bool still_a_form(const TCustomForm* form)
    {
        for (int i = 0; i < TApplication::FormCount(); ++i)
            if (TApplication::Forms(i) == form)
                return true;
        return false;
    }
};

} // namespace

SkinMessageBroadcaster& FormsSkinBroadcaster()
{
    static FormsBroadcaster broadcaster;
    return broadcaster;
}

} // namespace lt
