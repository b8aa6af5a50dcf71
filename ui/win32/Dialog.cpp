#include "Dialog.h"

#include <cstdio>

#include "ModalSeam.h"

namespace radiosetup {

namespace {

// A broken template is a fault of the build, never of the user's input.
DialogTemplate LoadReportingFaults(int templateId) {
    DialogTemplate loaded = DialogTemplate::Load(templateId);
    for (const std::string& fault : loaded.faults) {
        std::fprintf(stderr, "dialog template %d: %s\n", templateId, fault.c_str());
        OutputDebugStringA(("dialog template fault: " + fault + "\n").c_str());
    }
    return loaded;
}

}  // namespace

CDialog::CDialog(int templateId, CDialog* parent)
    : m_pParent(parent),
      m_language(CurrentLanguage()),
      m_template(LocalisedTemplate(LoadReportingFaults(templateId), m_language)),
      m_window(m_template, m_events) {}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
    return RunModal(*this);
}

int CDialog::RunModalLoop() {
    return m_window.RunModal(OwnerHandle());
}

void CDialog::ShowModeless() {
    m_window.ShowModeless(OwnerHandle());
}

void CDialog::EndDialog(int result) {
    m_bEnded = true;
    m_window.End(result);
}

void CDialog::Initialise() {
    if (m_bInitialised) {
        return;
    }
    m_bInitialised = true;
    OnInitDialog();
}

HWND CDialog::OwnerHandle() const {
    return m_pParent != nullptr ? m_pParent->Handle() : nullptr;
}

void CDialog::OnClicked(int id, std::function<void()> handler) {
    m_clickHandlers[id] = std::move(handler);
}

void CDialog::OnTextChanged(int id, std::function<void()> handler) {
    m_textHandlers[id] = std::move(handler);
}

void CDialog::OnSliderReleased(int id, std::function<void()> handler) {
    m_sliderHandlers[id] = std::move(handler);
}

void CDialog::SendCommand(int id) {
    const auto handler = m_clickHandlers.find(id);
    if (handler != m_clickHandlers.end() && handler->second) {
        handler->second();
    } else if (id == kIdOk) {
        OnOK();
    } else if (id == kIdCancel) {
        OnCancel();
    }
}

void CDialog::CEvents::Run(const std::map<int, std::function<void()>>& handlers, int id) {
    const auto handler = handlers.find(id);
    if (handler != handlers.end() && handler->second) {
        handler->second();
    }
}

}  // namespace radiosetup
