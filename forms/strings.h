#pragma once
// The framework's string lists.
//
// TStrings is the abstract list of rows (text plus an object pointer per row)
// that list controls expose as their Items; TStringList keeps its rows itself.
// Rows are addressed by zero-based index. A row that does not exist raises
// EListError "List index out of bounds (%d)". Lookup (IndexOf) follows the
// lists' rule: the first row equal to the text with ASCII letters compared
// without case.
//
// Sections: TStrings - TStringList.

#include "forms/errors.h"

#include <functional>
#include <string>
#include <vector>

namespace lt {

class TStrings {
public:
    TStrings() = default;
    virtual ~TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    virtual int Count() const = 0;
    virtual std::string Strings(int index) const = 0;
    virtual void SetStrings(int index, const std::string& s);
    virtual void* Objects(int index) const;
    virtual void SetObjects(int index, void* object);

    // Appends a row and returns its index.
    virtual int Add(const std::string& s);
    int AddObject(const std::string& s, void* object);
    virtual void Insert(int index, const std::string& s) = 0;
    void InsertObject(int index, const std::string& s, void* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // Index of the first matching row, or -1.
    virtual int IndexOf(const std::string& s) const;
    int IndexOfObject(void* object) const;

    // Rows joined, each followed by CR LF; setting splits at CR LF, CR or LF.
    std::string Text() const;
    void SetText(const std::string& text);
    void Assign(const TStrings& source);
    void AddStrings(const TStrings& source);

    // Batches changes: change notifications and repaints wait until the
    // outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return update_count_; }

protected:
    // Told when the list enters (true) or leaves (false) a batch of changes.
    virtual void SetUpdateState(bool updating) { }
    // The comparison IndexOf uses.
    virtual bool SameText(const std::string& a, const std::string& b) const;

private:
    int update_count_ = 0;
};

class TStringList : public TStrings {
public:
    int Count() const override { return static_cast<int>(rows_.size()); }
    std::string Strings(int index) const override;
    void SetStrings(int index, const std::string& s) override;
    void* Objects(int index) const override;
    void SetObjects(int index, void* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

    // Off (the default): IndexOf ignores ASCII letter case.
    bool CaseSensitive = false;
    // Raised before and after every change, unless a batch is open.
    std::function<void(TStrings* sender)> OnChanging;
    std::function<void(TStrings* sender)> OnChange;

protected:
    void SetUpdateState(bool updating) override;
    bool SameText(const std::string& a, const std::string& b) const override;

private:
    struct Row {
        std::string text;
        void* object = nullptr;
    };
    void check(int index) const;
    void changing();
    void changed();

    std::vector<Row> rows_;
};

} // namespace lt
