#pragma once

// Everything declared here is the SDK's public interface, exported from hostsdk.
#pragma GCC visibility push(default)
// Points and 4x3 matrices as the host uses them: points are row vectors, a matrix has four rows
// of three floats (rows 0 to 2 the axes, row 3 the translation).

struct Point3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;

    constexpr Point3() = default;
    constexpr Point3(float px, float py, float pz) : x(px), y(py), z(pz) {}

    float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
    Point3 operator+(const Point3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Point3 operator-(const Point3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Point3 operator-() const { return {-x, -y, -z}; }
    Point3 operator*(float f) const { return {x * f, y * f, z * f}; }
    bool operator==(const Point3&) const = default;
};

Point3 CrossProd(const Point3& a, const Point3& b);
float DotProd(const Point3& a, const Point3& b);

class Matrix3 {
  public:
    // The identity.
    Matrix3();
    Matrix3(const Point3& row0, const Point3& row1, const Point3& row2, const Point3& row3);

    void SetRow(int i, const Point3& p) { rows_[i] = p; }
    const Point3& GetRow(int i) const { return rows_[i]; }
    Point3& operator[](int i) { return rows_[i]; }
    const Point3& operator[](int i) const { return rows_[i]; }
    void SetTrans(const Point3& p) { rows_[3] = p; }
    const Point3& GetTrans() const { return rows_[3]; }

    // this followed by other: p * (a * b) == (p * a) * b.
    Matrix3 operator*(const Matrix3& other) const;
    bool operator==(const Matrix3&) const = default;

  private:
    Point3 rows_[4];
};

// The point transformed by the matrix, translation included.
Point3 operator*(const Point3& p, const Matrix3& m);
// The direction transformed by the matrix's axes only.
Point3 VectorTransform(const Point3& v, const Matrix3& m);
// The inverse of an affine matrix; a singular matrix gives the identity.
Matrix3 Inverse(const Matrix3& m);

#pragma GCC visibility pop
