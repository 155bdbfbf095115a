// The floor for start-up: the least an SDL2 program does to show a window of
// the game's size (240 x 268 client area and the 26-pixel command bar) at
// scale 1 and present one frame. It prints the same line as the game under
// QW_REPORT_FIRST_FRAME=1 and exits.
#include <SDL.h>

#include <cstdio>

namespace {

constexpr int kFrameWidth = 240;
constexpr int kFrameHeight = 268 + 26;

}  // namespace

int main() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "quenchway-minimal-sdl: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* window =
      SDL_CreateWindow("Quenchway", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kFrameWidth,
                       kFrameHeight, SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE);
  SDL_Renderer* renderer =
      window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
  if (window && !renderer) renderer = SDL_CreateRenderer(window, -1, 0);
  if (!renderer) {
    std::fprintf(stderr, "quenchway-minimal-sdl: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderPresent(renderer);
  std::fputs("quenchway: first frame presented\n", stderr);
  std::fflush(stderr);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
