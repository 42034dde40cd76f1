#pragma once

// One hint over the game screen: a picture (with two small animations on
// the first page) that fades in, and fades out after a click. The field
// waits while one is up.
class HintPage {
public:
    static constexpr float fadeStep = 0.05f; // opacity per 30 ms

    explicit HintPage(int page);

    // True once the page has faded out and can go.
    bool update(float elapsedMs);
    // Any click, even during the fade-in, starts the fade-out.
    void onLButtonDown();
    void draw() const;

    int page() const { return page_; }
    float alpha() const { return alpha_; }
    bool isClosing() const { return fadeSpeed_ < 0; }

private:
    int page_;
    float delay_ = 0;
    float alpha_ = 0;
    float fadeSpeed_ = fadeStep;
};
