// The input state as the real main loop fills it: events pushed into SDL's queue,
// passes stepped through runOnePass, handlers polling from inside the traversal.
#include <gtest/gtest.h>

#include <vector>

#include "engine/input.h"
#include "app/shell.h"
#include "scene/scene_node.h"
#include "support/gl_fixture.h"

namespace {

void pushMouseButton(uint8_t type, uint8_t button) {
    SDL_Event e{};
    e.type = type;
    e.button.type = type;
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = 10;
    e.button.y = 20;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
}

void pushKey(uint8_t type, SDLKey sym) {
    SDL_Event e{};
    e.type = type;
    e.key.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
}

void pushMotion(uint16_t x, uint16_t y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
}

// What a handler saw in each pass, recorded from inside the traversal.
struct ClickLog {
    std::vector<bool> clicked;
};

void clickWatcher(void* arg) { static_cast<ClickLog*>(arg)->clicked.push_back(input().leftClicked); }

// A handler acting on one key: the pattern every key handler in the program uses.
struct KeyHandler {
    int sym = 0;
    int acted = 0;
};

void keyHandlerTrack(void* arg) {
    KeyHandler* h = static_cast<KeyHandler*>(arg);
    if (isKeyPressed(h->sym) && consumeKey()) ++h->acted;
}

SceneNode* addHandlerNode(TrackFn fn, void* arg) {
    SceneNode* node = createNode();
    playOneTrack(node, fn, 0, 0, 0, 0, 0, 0, 0, arg);
    addChild(shellState().rootNode, node);
    return node;
}

// The real pass (pollInput, renderFrame, runPickPass) over a tree that holds
// only the test's own handlers, so no desk handler competes for the input.
class InputLoop : public testing::Test {
protected:
    void SetUp() override {
        ensureGlWindow();
        input() = InputState();
        savedRoot = shellState().rootNode;
        shellState().rootNode = createNode();
        // Whatever the display sent while the window opened is drained first.
        for (int i = 0; i < 3; ++i) runOnePass();
        // The pointer rests where pushMouseButton presses, as a real press is
        // made where the pointer is.
        input().mouseX = 10;
        input().mouseY = 20;
    }
    void TearDown() override {
        remove(shellState().rootNode);
        for (int i = 0; i < 100 && running(); ++i) runOnePass();
        EXPECT_FALSE(running());
        destroyNode(shellState().rootNode);
        shellState().rootNode = savedRoot;
    }
    SceneNode* savedRoot = nullptr;
};

}  // namespace

TEST_F(InputLoop, PressAndReleaseInOnePassIsOneClick) {
    ClickLog log;
    addHandlerNode(clickWatcher, &log);
    pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    pushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    runOnePass();
    EXPECT_TRUE(input().leftClicked);
    EXPECT_FALSE(input().leftLatch);
    runOnePass();
    EXPECT_FALSE(input().leftClicked);
    // The release freed the latch, so the next press counts again.
    pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    pushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    runOnePass();
    EXPECT_TRUE(input().leftClicked);
    // The handler saw the click in exactly the passes that had one.
    ASSERT_EQ(log.clicked.size(), 3u);
    EXPECT_EQ(log.clicked, (std::vector<bool>{true, false, true}));
}

TEST_F(InputLoop, AHeldButtonClicksOnce) {
    pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    runOnePass();
    EXPECT_TRUE(input().leftClicked);
    EXPECT_TRUE(input().leftLatch);
    runOnePass();
    EXPECT_FALSE(input().leftClicked);
    EXPECT_TRUE(input().leftLatch);
    // A second press without a release in between is not a click.
    pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    runOnePass();
    EXPECT_FALSE(input().leftClicked);
    pushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    runOnePass();
    EXPECT_FALSE(input().leftClicked);
    EXPECT_FALSE(input().leftLatch);
    pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    runOnePass();
    EXPECT_TRUE(input().leftClicked);
}

TEST_F(InputLoop, OnlyTheLeftButtonCounts) {
    pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE);
    pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_WHEELUP);
    runOnePass();
    EXPECT_FALSE(input().leftClicked);
    EXPECT_FALSE(input().leftLatch);
    // A right-button release does not free a held left button either.
    pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    runOnePass();
    pushMouseButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT);
    runOnePass();
    EXPECT_TRUE(input().leftLatch);
}

TEST_F(InputLoop, MotionMovesThePointer) {
    pushMotion(17, 33);
    pushMotion(1279, 719);
    runOnePass();
    EXPECT_EQ(input().mouseX, 1279);
    EXPECT_EQ(input().mouseY, 719);
    // Nothing moves it between motion events.
    runOnePass();
    EXPECT_EQ(input().mouseX, 1279);
}

// A fast pointer queues many moves between two passes: one pass takes them
// all, the frame and the pick see only the last position, and nothing is left
// for later passes to trail behind the pointer with.
TEST_F(InputLoop, AllQueuedMovesAreTakenInOnePass) {
    std::vector<bool> moved;
    struct Watch {
        std::vector<bool>* moved;
    } watch{&moved};
    addHandlerNode([](void* arg) { static_cast<Watch*>(arg)->moved->push_back(input().movedThisPass); }, &watch);
    for (uint16_t i = 0; i < 100; ++i) pushMotion(uint16_t(3 * i), uint16_t(2 * i + 1));
    runOnePass();
    EXPECT_EQ(input().mouseX, 297);
    EXPECT_EQ(input().mouseY, 199);
    SDL_Event left;
    EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_PEEKEVENT, SDL_ALLEVENTS), 0);
    runOnePass();
    EXPECT_EQ(moved, (std::vector<bool>{true, false}));
    // A press queued behind the moves still comes after them: it counts in the
    // next pass, once the pick has seen the pointer's last position.
    for (uint16_t i = 0; i < 50; ++i) pushMotion(uint16_t(400 + i), 300);
    pushMouseButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    runOnePass();
    EXPECT_FALSE(input().leftClicked);
    EXPECT_EQ(input().mouseX, 10);  // the press's own position
    runOnePass();
    EXPECT_TRUE(input().leftClicked);
}

// Keys queued together (a child hammering Ctrl+S while a picture is drawn) are
// each seen, one a pass, in the order they came.
TEST_F(InputLoop, TwoKeyDownsInOnePassAreSeenInTwoPasses) {
    KeyHandler left{SDLK_LEFT, 0}, right{SDLK_RIGHT, 0};
    addHandlerNode(keyHandlerTrack, &left);
    addHandlerNode(keyHandlerTrack, &right);
    pushKey(SDL_KEYDOWN, SDLK_LEFT);
    pushKey(SDL_KEYDOWN, SDLK_RIGHT);
    runOnePass();
    EXPECT_EQ(left.acted, 1);
    EXPECT_EQ(right.acted, 0);
    runOnePass();
    EXPECT_EQ(left.acted, 1);
    EXPECT_EQ(right.acted, 1);
    // The key belongs to its pass only; key releases are not keys.
    pushKey(SDL_KEYUP, SDLK_RIGHT);
    runOnePass();
    EXPECT_FALSE(input().keyPressed);
    EXPECT_EQ(right.acted, 1);
    EXPECT_FALSE(isKeyPressed(SDLK_RIGHT));
}

TEST_F(InputLoop, AConsumedKeyIsGoneForLaterHandlers) {
    KeyHandler first{SDLK_RETURN, 0}, second{SDLK_RETURN, 0};
    addHandlerNode(keyHandlerTrack, &first);
    addHandlerNode(keyHandlerTrack, &second);
    pushKey(SDL_KEYDOWN, SDLK_RETURN);
    runOnePass();
    EXPECT_EQ(first.acted, 1);
    EXPECT_EQ(second.acted, 0);
    EXPECT_TRUE(input().keyPressed);
    EXPECT_FALSE(isKeyPressed(SDLK_RETURN));
    // Held down, the key does not act again; a new press does, once.
    runOnePass();
    EXPECT_EQ(first.acted, 1);
    pushKey(SDL_KEYDOWN, SDLK_RETURN);
    runOnePass();
    EXPECT_EQ(first.acted, 2);
    EXPECT_EQ(second.acted, 0);
}

TEST_F(InputLoop, AKeyDownAfterAConsumedOneIsFreshAgain) {
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    runOnePass();
    ASSERT_TRUE(isKeyPressed(SDLK_ESCAPE));
    EXPECT_TRUE(consumeKey());
    EXPECT_FALSE(isKeyPressed(SDLK_ESCAPE));
    pushKey(SDL_KEYDOWN, SDLK_F1);
    runOnePass();
    EXPECT_TRUE(isKeyPressed(SDLK_F1));
    EXPECT_FALSE(isKeyPressed(SDLK_ESCAPE));
    EXPECT_EQ(int(input().lastKey.keysym.sym), 282);
}
