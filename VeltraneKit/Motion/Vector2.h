#pragma once

namespace veltrane {

// A two-component value that animations can carry: a point or an offset in points.
struct Vector2 {
    double x = 0;
    double y = 0;

    friend constexpr Vector2 operator+(Vector2 a, Vector2 b) { return { a.x + b.x, a.y + b.y }; }
    friend constexpr Vector2 operator-(Vector2 a, Vector2 b) { return { a.x - b.x, a.y - b.y }; }
    friend constexpr Vector2 operator*(Vector2 a, double factor) { return { a.x * factor, a.y * factor }; }
    friend constexpr bool operator==(Vector2, Vector2) = default;
};

// The scalar products that let a retargeted spring keep the velocity it had along its new path.
constexpr double dotProduct(double a, double b) { return a * b; }
constexpr double dotProduct(Vector2 a, Vector2 b) { return a.x * b.x + a.y * b.y; }

} // namespace veltrane
