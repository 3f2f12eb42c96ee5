// A snapshot enumerator over a list of items that each carry one interface pointer.
#include "ComEnumerators.h"

#include <memory>

#include "ComPtr.h"

namespace wirelatch {
namespace {

IUnknown* PointerOf(const CONNECTDATA& item) { return item.pUnk; }
IUnknown* PointerOf(IConnectionPoint* item) { return item; }

template <typename IEnum, typename Item>
class SnapshotEnumerator final : public IEnum {
public:
    SnapshotEnumerator(const std::vector<Item>& items, const IID& iid) : items_(items), iid_(iid) {
        for (const Item& item : items_)
            if (IUnknown* p = PointerOf(item)) p->AddRef();
    }
    ~SnapshotEnumerator() {
        for (const Item& item : items_)
            if (IUnknown* p = PointerOf(item)) p->Release();
    }
    SnapshotEnumerator(const SnapshotEnumerator&) = delete;
    SnapshotEnumerator& operator=(const SnapshotEnumerator&) = delete;

    static HRESULT Create(const std::vector<Item>& items, const IID& iid, size_t position, IEnum** out) {
        if (!out) return E_POINTER;
        auto made = std::make_unique<SnapshotEnumerator>(items, iid);
        made->position_ = position;
        *out = made.release();  // the reference count owns it from here
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, iid_)) {
            *out = static_cast<IEnum*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&refs_);
        if (left == 0) std::unique_ptr<SnapshotEnumerator> owner(this);
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        while (n < count && position_ < items_.size()) {
            out[n] = items_[position_++];
            if (IUnknown* p = PointerOf(out[n])) p->AddRef();
            ++n;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        size_t left = items_.size() - position_;
        if (count > left) {
            position_ = items_.size();
            return S_FALSE;
        }
        position_ += count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnum** out) override { return Create(items_, iid_, position_, out); }

private:
    std::vector<Item> items_;
    IID iid_;
    size_t position_ = 0;
    LONG refs_ = 1;
};

}  // namespace

HRESULT CreateConnectionEnumerator(const std::vector<CONNECTDATA>& items, IEnumConnections** out) {
    return SnapshotEnumerator<IEnumConnections, CONNECTDATA>::Create(items, IID_IEnumConnections, 0, out);
}

HRESULT CreateConnectionPointEnumerator(const std::vector<IConnectionPoint*>& items, IEnumConnectionPoints** out) {
    return SnapshotEnumerator<IEnumConnectionPoints, IConnectionPoint*>::Create(items, IID_IEnumConnectionPoints, 0,
                                                                                out);
}

}  // namespace wirelatch
